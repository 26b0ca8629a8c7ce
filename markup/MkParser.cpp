#include "markup/MkParser.h"

#include "markup/MkStrings.h"
#include "markup/MkToken.h"
#include "textobjects/MkConvert.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkRepeat.h"

#include <algorithm>
#include <typeinfo>

TMkParser::TMkParser(TMkEngine &engine, const TMkLexClass &lexerClass)
    : engine_(&engine),
      lexClass_(&lexerClass),
      lexer_(lexerClass.Create())
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

std::string TMkExtParser::ResolveVariable(const std::string &reference)
{
    TMkHandlerSender sender;
    sender.Parser = this;
    return MkResolveVariable(VariableHandler, sender, reference);
}

// --- the band as the grammar sees it ---------------------------------------

bool TMkExtParser::CurrentIsTagNamed(std::string_view name) const
{
    const TMkTagToken *tag = CurrentTag();
    return tag && MkSameText(tag->Text, name);
}

std::string TMkExtParser::CurrentText() const
{
    const TMkToken *token = Band.Current();
    if (!token || (token->Kind != TMkTokenKind::Text && token->Kind != TMkTokenKind::Tag))
        return {};
    const TMkTextToken *text = token->AsText();
    return text ? text->Text : std::string{};
}

void TMkExtParser::InsertTag(std::string name)
{
    std::unique_ptr<TMkTagToken> tag = Lexer().Stock().Tag();
    tag->Text = std::move(name);
    Band.InsertAtCursor(std::move(tag));
}

// --- reading the input -----------------------------------------------------

void TMkExtParser::Tokenize(TMkByteStream &stream)
{
    ClearBand();
    ReadTokens(stream);
    ExpandRepeats();
    RenameBaseFontEnds();
    Band.First();
    Band.Prev();
}

void TMkExtParser::AppendMergedText(std::string text, std::unique_ptr<TMkToken> carrier)
{
    // A run of text tokens becomes one: inner spacing stays as the lexer left
    // it, the ends are trimmed down to at most one space each.
    const bool leading = !text.empty() && text.front() == ' ';
    const bool trailing = !text.empty() && text.back() == ' ';
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    std::string merged;
    if (first >= last) {
        if (!leading)
            return;
        merged = " ";
    } else {
        merged.reserve(static_cast<std::size_t>(last - first) + 2);
        if (leading)
            merged += ' ';
        merged.append(first, last);
        if (trailing)
            merged += ' ';
    }
    // The run's first token, when it is a plain text token, carries the
    // merged text on: most runs are a single token, and this spares making
    // another.
    if (const TMkToken *head = carrier.get(); head && typeid(*head) == typeid(TMkTextToken)) {
        static_cast<TMkTextToken &>(*carrier).Text = std::move(merged);
        Band.Append(std::move(carrier));
    } else {
        Band.Append(std::make_unique<TMkTextToken>(std::move(merged)));
    }
}

void TMkExtParser::ReadTokens(TMkByteStream &stream)
{
    std::unique_ptr<TMkToken> token = Lexer().NextToken(stream);
    while (token && token->Kind != TMkTokenKind::End) {
        if (token->Kind == TMkTokenKind::Text) {
            std::unique_ptr<TMkToken> carrier = std::move(token);
            std::string text;
            if (TMkTextToken *t = carrier->AsText())
                text = std::move(t->Text);
            token = Lexer().NextToken(stream);
            while (token && token->Kind == TMkTokenKind::Text) {
                if (const TMkTextToken *t = token->AsText())
                    text += t->Text;
                Lexer().Stock().Keep(std::move(token));
                token = Lexer().NextToken(stream);
            }
            AppendMergedText(std::move(text), std::move(carrier));
            continue; // the token that ended the run is handled as any other
        }
        if (token->Kind == TMkTokenKind::Tag) {
            const TMkTextToken *tag = token->AsText();
            if (tag && tag->Text.compare(0, 2, "~~") == 0)
                Band.Append(
                    std::make_unique<TMkTextToken>(tag->Text)); // a variable in tag brackets
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
        TMkTagToken *tag = Band.TokenAt(i)->AsTag();
        if (tag && tag->Kind == TMkTokenKind::Tag && MkSameText(tag->Text, "/BASEFONT")) {
            tag->Text = "CLOSEBASEFONT";
            tag->ForgetName();
            tag->Attributes.clear();
        }
    }
}

// --- REPEAT blocks ---------------------------------------------------------

namespace {

// +1 for a REPEAT start tag, -1 for its end tag, 0 for any other token.  The
// expansion looks at every token several times, so the name is compared as a
// number of the engine's table (MkTagNames.h); repeat is REPEAT's, interned
// before any tag looks its name up, so that every tag can find it.
int RepeatMark(const TMkToken *token, const TMkTagNames &names, std::int32_t repeat)
{
    if (!token || token->Kind != TMkTokenKind::Tag)
        return 0;
    const TMkTagToken *tag = token->AsTag();
    if (!tag || tag->NameId(names) != repeat)
        return 0;
    return tag->IsEndTag() ? -1 : 1;
}

// The COUNT of a REPEAT start tag when it is a variable reference, empty
// otherwise.
std::string_view VariableCount(const TMkToken &start)
{
    constexpr std::string_view CountName = "COUNT";
    const TMkTagToken *tag = start.AsTag();
    const int at = tag != nullptr ? tag->IndexOfAttribute(CountName) : -1;
    if (at < 0)
        return {};
    // The line found is the name, '=' and the value.
    const std::string_view value = std::string_view(tag->Attributes[static_cast<std::size_t>(at)])
                                       .substr(CountName.size() + 1);
    return value.substr(0, 2) == "~~" ? value : std::string_view{};
}

} // namespace

std::int32_t TMkExtParser::RepeatCount(const TMkToken &start)
{
    std::string value;
    if (const TMkTagToken *tag = start.AsTag())
        tag->GetAttribute("COUNT", value);
    if (MkTextIsVariableRef(value))
        value = ResolveVariable(value);
    std::int32_t count = 0;
    if (!MkTextTryStrToInt(value, count))
        count = 1;
    return count;
}

// A REPEAT start tag's attributes do not change while blocks are expanded
// (substitution never reaches a start tag: it opens a nested block), so what
// the mark says of its count holds for the tag and all its copies.
TMkExtParser::TMarkedToken TMkExtParser::Marked(std::unique_ptr<TMkToken> token) const
{
    const int mark = RepeatMark(token.get(), Engine().TagNames, repeatName_);
    const bool variable = mark > 0 && !VariableCount(*token).empty();
    return {std::move(token), mark, variable};
}

// A nested block's count is not needed while its enclosing block is copied;
// a count given as a variable reference is still asked for, as the variable
// handler expects.
void TMkExtParser::AskForCount(const TMarkedToken &start)
{
    if (start.CountIsVariable)
        ResolveVariable(std::string(VariableCount(*start.Token)));
}

// The band is scanned from the front; a REPEAT block is replaced by copies of
// its body and the scan goes on at the first copied token, so that blocks
// inside the copies are expanded in turn.  One exception: when the block
// stood at the very front of the band, the token that takes its place is
// passed over (a REPEAT tag there is left for the parser's REPEAT element).
//
// The scan moves tokens from a pending stack (front of the rest of the band
// on top) to the finished band; copies go back onto the pending stack.  Each
// token is thus handled a bounded number of times, where inserting into and
// deleting from the middle of the band would cost time in proportion to its
// length for every block.
void TMkExtParser::ExpandRepeats()
{
    // Interned before any tag looks its name up, so that every tag finds it.
    repeatName_ = Engine().TagNames.Intern("REPEAT");
    // Most documents have no block: their band stays as it was read.  The
    // tokens before the first block stay in place too; the scan takes the
    // rest out and appends what it finishes.
    std::int32_t first = 0;
    while (first < Band.Count() &&
           RepeatMark(Band.TokenAt(first), Engine().TagNames, repeatName_) <= 0)
        ++first;
    if (first == Band.Count())
        return;
    std::vector<std::unique_ptr<TMkToken>> rest = Band.TakeFrom(first);
    TMarkedTokens pending;
    pending.reserve(rest.size());
    for (auto token = rest.rbegin(); token != rest.rend(); ++token)
        pending.push_back(Marked(std::move(*token)));
    bool passOverFront = false;
    std::int64_t work = 0;
    while (!pending.empty()) {
        if (passOverFront || work > MaxRepeatWork || pending.back().Mark <= 0) {
            passOverFront = false;
            Band.Append(std::move(pending.back().Token));
            pending.pop_back();
            continue;
        }
        const std::int32_t count = RepeatCount(*pending.back().Token);
        Lexer().Stock().Keep(std::move(pending.back().Token)); // the REPEAT tag goes
        pending.pop_back();
        ExpandBlock(pending, count, Band.Count(), work);
        passOverFront = Band.Count() == 0;
    }
}

void TMkExtParser::ExpandBlock(TMarkedTokens &pending, std::int32_t count, std::int64_t doneCount,
                               std::int64_t &work)
{
    // The body runs to the matching /REPEAT, or to the end of the band.  It
    // becomes copy 0 of the block; the other copies follow it in the same
    // array, copy k from k times the body's size on.
    TMarkedTokens copies;
    copies.reserve(8);
    for (int depth = 0; !pending.empty(); pending.pop_back()) {
        const int mark = pending.back().Mark;
        if (mark < 0 && depth == 0)
            break;
        if (mark > 0) {
            AskForCount(pending.back());
            ++depth;
        } else if (mark < 0) {
            --depth;
        }
        copies.push_back(std::move(pending.back()));
        ++work;
    }
    if (!pending.empty()) {
        Lexer().Stock().Keep(std::move(pending.back().Token)); // the matching /REPEAT goes
        pending.pop_back();
    }

    // Copies 1..count-1 are clones of the body as it was read, each
    // substituted after the repeat handler heard of it.  The steps and the
    // band's size are counted as if a pristine copy of the body were kept
    // aside, which is how the bounds were set; the clones are made from the
    // body before it is substituted instead.
    const std::size_t body = copies.size();
    const auto bodySize = static_cast<std::int64_t>(body);
    const std::int64_t saved = count > 1 ? bodySize : 0;
    work += saved;
    // Each copy costs at least one unit, so that an empty body with a huge
    // count stops too.  Counts above what a repeat block in the tree accepts
    // are cut to that.
    count = std::min(count, MkMaxRepeatCount);
    const std::int64_t copyCost = std::max<std::int64_t>(1, saved);
    std::int64_t size = doneCount + static_cast<std::int64_t>(pending.size()) + saved;
    std::int32_t made = 1;
    for (; made < count && size + copyCost <= MaxExpandedTokens; ++made) {
        size += copyCost;
        work += copyCost;
    }
    copies.reserve(body * static_cast<std::size_t>(made));
    for (std::int32_t k = 1; k < made; ++k) {
        for (std::size_t i = 0; i < body; ++i) {
            const TMarkedToken &token = copies[i]; // the room is reserved: no move
            copies.push_back(
                {Lexer().Stock().Clone(*token.Token), token.Mark, token.CountIsVariable});
        }
    }
    const std::span<const TMarkedToken> all(copies);
    for (std::int32_t k = 0; k < made; ++k) {
        if (RepeatHandler)
            RepeatHandler(TMkHandlerSender{this, nullptr, nullptr}, k);
        SubstituteBlock(all.subspan(static_cast<std::size_t>(k) * body, body));
    }
    // The copies go back in front of the rest of the band, in order.
    for (auto token = copies.rbegin(); token != copies.rend(); ++token)
        pending.push_back(std::move(*token));
}

void TMkExtParser::SubstituteBlock(std::span<const TMarkedToken> tokens)
{
    // Tokens inside a nested REPEAT block are left for that block's own
    // expansion; its closing /REPEAT is back at depth 0 and is substituted.
    // Substitution changes values, never a tag's name, so the marks hold.
    std::int32_t depth = 0;
    for (const TMarkedToken &marked : tokens) {
        const int mark = marked.Mark;
        if (mark > 0) {
            AskForCount(marked);
            ++depth;
        } else if (mark < 0) {
            --depth;
        }
        if (depth == 0)
            SubstituteVariables(*marked.Token);
    }
}

void TMkExtParser::SubstituteVariables(TMkToken &token)
{
    if (token.Kind == TMkTokenKind::Tag) {
        TMkTagToken *tag = token.AsTag();
        if (!tag)
            return;
        for (std::size_t i = 0; i < tag->Attributes.size();) {
            std::string &line = tag->Attributes[i];
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
            std::string replaced(MkAttributeName(line));
            replaced += '=';
            replaced += resolved;
            line = std::move(replaced);
            ++i;
        }
    } else if (token.Kind == TMkTokenKind::Text) {
        TMkTextToken *text = token.AsText();
        if (text && MkTextIsVariableRef(text->Text))
            text->Text = ResolveVariable(text->Text);
    }
}
