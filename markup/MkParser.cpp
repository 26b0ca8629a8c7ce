#include "markup/MkParser.h"

#include "markup/MkText.h"
#include "markup/MkToken.h"
#include "textobjects/MkConvert.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkRepeat.h"

#include <algorithm>

TMkParser::TMkParser(const TMkLexClass& lexerClass)
    : LexClass(&lexerClass), LexerObject(lexerClass.Create())
{
}

TMkParser::~TMkParser() = default;

TMkExtParser::~TMkExtParser()
{
    Band.Clear();
}

void TMkExtParser::SetHandlers(TMkImageHandler imageHandler, TMkVariableHandler variableHandler,
                               TMkControlHandler controlHandler, TMkRepeatHandler repeatHandler)
{
    ImageHandler = std::move(imageHandler);
    VariableHandler = std::move(variableHandler);
    ControlHandler = std::move(controlHandler);
    RepeatHandler = std::move(repeatHandler);
}

std::string TMkExtParser::ResolveVariable(const std::string& reference)
{
    TMkHandlerSender sender;
    sender.Parser = this;
    return MkResolveVariable(VariableHandler, sender, reference);
}

// --- the band as the grammar sees it ---------------------------------------

bool TMkExtParser::HasCurrent() const
{
    const TMkToken* token = Band.Current();
    return token && token->Kind != TMkTokenKind::End;
}

bool TMkExtParser::CurrentIsText() const
{
    return HasCurrent() && Band.Current()->Kind == TMkTokenKind::Text;
}

bool TMkExtParser::CurrentIsTag() const
{
    return HasCurrent() && Band.Current()->Kind == TMkTokenKind::Tag;
}

TMkTagToken* TMkExtParser::CurrentTag() const
{
    return CurrentIsTag() ? dynamic_cast<TMkTagToken*>(Band.Current()) : nullptr;
}

bool TMkExtParser::CurrentIsTagNamed(std::string_view name) const
{
    const TMkTagToken* tag = CurrentTag();
    return tag && MkSameText(tag->Text, name);
}

std::string TMkExtParser::CurrentText() const
{
    const TMkToken* token = Band.Current();
    if (!token || (token->Kind != TMkTokenKind::Text && token->Kind != TMkTokenKind::Tag))
        return {};
    const auto* text = dynamic_cast<const TMkTextToken*>(token);
    return text ? text->Text : std::string{};
}

void TMkExtParser::InsertTag(std::string name)
{
    Band.InsertAtCursor(std::make_unique<TMkTagToken>(std::move(name)));
}

// --- reading the input -----------------------------------------------------

void TMkExtParser::Tokenize(TMkByteStream& stream)
{
    ClearBand();
    ReadTokens(stream);
    ExpandRepeats();
    RenameBaseFontEnds();
    Band.First();
    Band.Prev();
}

void TMkExtParser::AppendMergedText(const std::string& text)
{
    // A run of text tokens becomes one: inner spacing stays as the lexer left
    // it, the ends are trimmed down to at most one space each.
    const bool leading = !text.empty() && text.front() == ' ';
    const bool trailing = !text.empty() && text.back() == ' ';
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    if (first >= last) {
        if (leading)
            Band.Append(std::make_unique<TMkTextToken>(" "));
        return;
    }
    std::string merged;
    if (leading)
        merged += ' ';
    merged.append(first, last);
    if (trailing)
        merged += ' ';
    Band.Append(std::make_unique<TMkTextToken>(std::move(merged)));
}

void TMkExtParser::ReadTokens(TMkByteStream& stream)
{
    std::unique_ptr<TMkToken> token = Lexer().NextToken(stream);
    while (token && token->Kind != TMkTokenKind::End) {
        if (token->Kind == TMkTokenKind::Text) {
            std::string text;
            while (token && token->Kind == TMkTokenKind::Text) {
                if (const auto* t = dynamic_cast<const TMkTextToken*>(token.get()))
                    text += t->Text;
                token = Lexer().NextToken(stream);
            }
            AppendMergedText(text);
            continue;  // the token that ended the run is handled as any other
        }
        if (token->Kind == TMkTokenKind::Tag) {
            auto* tag = dynamic_cast<TMkTextToken*>(token.get());
            if (tag && tag->Text.compare(0, 2, "~~") == 0)
                Band.Append(std::make_unique<TMkTextToken>(tag->Text));  // a variable in tag brackets
            else
                Band.Append(std::move(token));
        }
        // Anything else (the dropped kind) is thrown away.
        token = Lexer().NextToken(stream);
    }
    Band.Append(token ? std::move(token) : std::make_unique<TMkEofToken>());
}

void TMkExtParser::RenameBaseFontEnds()
{
    for (std::int32_t i = 0; i < Band.Count(); ++i) {
        auto* tag = dynamic_cast<TMkTagToken*>(Band.TokenAt(i));
        if (tag && tag->Kind == TMkTokenKind::Tag && MkSameText(tag->Text, "/BASEFONT")) {
            tag->Text = "CLOSEBASEFONT";
            tag->Attributes.clear();
        }
    }
}

// --- REPEAT blocks ---------------------------------------------------------

bool TMkExtParser::IsRepeatStart(const TMkToken* token, std::int32_t& count)
{
    const auto* tag = dynamic_cast<const TMkTagToken*>(token);
    if (!tag || tag->Kind != TMkTokenKind::Tag || !MkSameText(tag->Text, "REPEAT"))
        return false;
    std::string value;
    tag->GetAttribute("COUNT", value);
    if (MkTextIsVariableRef(value))
        value = ResolveVariable(value);
    if (!MkTextTryStrToInt(value, count))
        count = 1;
    return true;
}

bool TMkExtParser::IsRepeatEnd(const TMkToken* token)
{
    const auto* tag = dynamic_cast<const TMkTagToken*>(token);
    return tag && tag->Kind == TMkTokenKind::Tag && MkSameText(tag->Text, "/REPEAT");
}

void TMkExtParser::ExpandRepeats()
{
    Band.First();
    while (!Band.AtEnd()) {
        std::int32_t count = 0;
        if (IsRepeatStart(Band.Current(), count)) {
            const std::int32_t start = Band.Cursor;
            ExpandRepeatAtCursor(count);
            // The scan goes on from the second token of the band.  The tokens
            // between it and the expanded block were passed over already and
            // did not change, so it resumes at the block itself.
            Band.Cursor = std::max(start, 1);
            if (Band.Cursor >= Band.Count())
                Band.Cursor = TMkTokenBand::PastLast;
            continue;
        }
        Band.Next();
    }
}

void TMkExtParser::ExpandRepeatAtCursor(std::int32_t count)
{
    Band.DeleteCurrent();  // the REPEAT tag goes
    const std::int32_t start = Band.Cursor;
    std::vector<std::unique_ptr<TMkToken>> saved;
    std::vector<TMkToken*> body;
    for (int depth = 0; !Band.AtEnd(); Band.Next()) {
        TMkToken* token = Band.Current();
        std::int32_t ignored = 0;
        if (IsRepeatEnd(token) && depth == 0)
            break;
        saved.push_back(token->Clone());
        body.push_back(token);
        if (IsRepeatStart(token, ignored))
            ++depth;
        else if (IsRepeatEnd(token))
            --depth;
    }
    if (!Band.AtEnd())
        Band.DeleteCurrent();  // the matching /REPEAT goes

    if (RepeatHandler)
        RepeatHandler(TMkHandlerSender{this, nullptr, nullptr}, 0);
    SubstituteBlock(body);

    // Copies 1..count-1 are built apart and inserted in one go, which keeps
    // the expansion linear in the size of the result.  Each copy costs at
    // least one unit, so that an empty body with a huge count stops too.
    count = std::min(count, MkMaxRepeatCount);
    const std::int64_t copyCost = std::max<std::int64_t>(1, static_cast<std::int64_t>(saved.size()));
    std::int64_t size = Band.Count();
    std::vector<std::unique_ptr<TMkToken>> copies;
    for (std::int32_t k = 1; k < count && size + copyCost <= MaxExpandedTokens; ++k) {
        size += copyCost;
        if (RepeatHandler)
            RepeatHandler(TMkHandlerSender{this, nullptr, nullptr}, k);
        std::vector<TMkToken*> copy;
        for (const auto& token : saved) {
            copies.push_back(token->Clone());
            copy.push_back(copies.back().get());
        }
        SubstituteBlock(copy);
    }
    const std::int32_t after = start < 0 ? Band.Count() : start + static_cast<std::int32_t>(body.size());
    Band.InsertAt(after, std::move(copies));
}

void TMkExtParser::SubstituteBlock(const std::vector<TMkToken*>& tokens)
{
    // Tokens inside a nested REPEAT block are left for that block's own
    // expansion; its closing /REPEAT is back at depth 0 and is substituted.
    std::int32_t depth = 0;
    for (TMkToken* token : tokens) {
        std::int32_t ignored = 0;
        if (IsRepeatStart(token, ignored))
            ++depth;
        else if (IsRepeatEnd(token))
            --depth;
        if (depth == 0)
            SubstituteVariables(*token);
    }
}

void TMkExtParser::SubstituteVariables(TMkToken& token)
{
    if (token.Kind == TMkTokenKind::Tag) {
        auto* tag = dynamic_cast<TMkTagToken*>(&token);
        if (!tag)
            return;
        for (std::size_t i = 0; i < tag->Attributes.size();) {
            std::string& line = tag->Attributes[i];
            const std::string value(MkAttributeValue(line));
            if (line.find('=') == std::string::npos || !MkTextIsVariableRef(value)) {
                ++i;
                continue;
            }
            const std::string resolved = ResolveVariable(value);
            if (resolved.empty()) {
                tag->Attributes.erase(tag->Attributes.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
            line = std::string(MkAttributeName(line)) + "=" + resolved;
            ++i;
        }
    } else if (token.Kind == TMkTokenKind::Text) {
        auto* text = dynamic_cast<TMkTextToken*>(&token);
        if (text && MkTextIsVariableRef(text->Text))
            text->Text = ResolveVariable(text->Text);
    }
}
