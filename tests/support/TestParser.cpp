#include "support/TestParser.h"

#include "markup/MkByteStream.h"
#include "markup/dtd/MkDataModel.h"
#include "textobjects/MkParsedTextList.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace testkit {

namespace {

bool TagRequired(const std::string &flag, const std::string &name)
{
    if (flag != "-" && flag != "O")
        throw std::invalid_argument(name + ": a tag is - or O, not '" + flag + "'");
    return flag == "-";
}

// Cuts "KEY(names)" out of text; the names are separated by blanks or bars.
std::optional<TMkNameList> TakeClause(std::string &text, const std::string &key)
{
    const std::size_t at = text.find(key + "(");
    const std::size_t close = text.find(')', at);
    if (at == std::string::npos || close == std::string::npos)
        return std::nullopt;
    std::string inside = text.substr(at + key.size() + 1, close - at - key.size() - 1);
    std::replace(inside.begin(), inside.end(), '|', ' ');
    std::istringstream words(inside);
    TMkNameList names;
    for (std::string word; words >> word;)
        names.push_back(word == "#PCDATA" && key == "ENDS" ? "" : word); // "": any text
    text.erase(at, close + 1 - at);
    return names;
}

std::unique_ptr<TMkDataModel> Model(std::string text)
{
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    return text == "EMPTY" ? nullptr : MkReadContentModel(text);
}

} // namespace

TTestParser::TTestParser(const TMkLexClass &lexerClass) : TMkExtParser(OwnEngine, lexerClass) {}

TTestParser::TTestParser(TMkEngine &engine, const TMkLexClass &lexerClass)
    : TMkExtParser(engine, lexerClass)
{
}

const TMkParserClass &TTestParser::Class() const
{
    static const TMkParserClass cls = MkMakeParserClass<TTestParser>("TTestParser");
    return cls;
}

std::unique_ptr<TMkParsedTextList> TTestParser::Parse(TMkByteStream &stream,
                                                      TMkImageHandler imageHandler,
                                                      TMkVariableHandler variableHandler,
                                                      TMkControlHandler controlHandler,
                                                      TMkRepeatHandler repeatHandler)
{
    SetHandlers(std::move(imageHandler), std::move(variableHandler), std::move(controlHandler),
                std::move(repeatHandler));
    Tokenize(stream);
    auto root = std::make_unique<TMkParsedTextList>(nullptr);
    TMkTreeBuilder tree(root.get());
    if (!Start.empty())
        DTD.Deduce(Start, tree);
    return root;
}

void TTestParser::TokenizeText(std::string_view text, TMkVariableHandler variables,
                               TMkRepeatHandler repeats)
{
    SetHandlers({}, std::move(variables), {}, std::move(repeats));
    TMkMemoryStream stream(text);
    Tokenize(stream);
}

bool TTestParser::DeduceText(std::string_view markup, TMkTreeBuilder &tree)
{
    TokenizeText(markup);
    return DTD.Deduce(Start, tree);
}

bool TTestParser::DeduceText(std::string_view markup)
{
    TMkTreeBuilder nothing(nullptr);
    return DeduceText(markup, nothing);
}

std::string_view TTestParser::Declare(std::string_view text)
{
    if (DTD.Declarations.Count() == 0) // #PCDATA is built in, as in SGML
        DTD.Declarations.AddType("#PCDATA", Notifier("#PCDATA"),
                                 [this] { return CurrentIsText(); });
    while (text.substr(0, 2) == "<!") {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string body(text.substr(2, end - 2));
        if (body.empty() || body.back() != '>')
            break;
        body.pop_back();
        std::istringstream words(body);
        std::string keyword;
        std::string name;
        std::string rest;
        words >> keyword >> name;
        std::getline(words, rest);
        const std::size_t quote = rest.find('"');
        if (keyword == "DOCTYPE")
            Start = name;
        else if (keyword == "ENTITY" && quote != std::string::npos)
            DTD.Declarations.AddEntity(name,
                                       Model(rest.substr(quote + 1, rest.rfind('"') - quote - 1)));
        else if (keyword == "ELEMENT")
            DeclareElement(name, rest);
        else
            break;
        if (Start.empty())
            Start = name;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return text;
}

void TTestParser::DeclareElement(const std::string &name, std::string rest)
{
    std::optional<TMkNameList> terminators = TakeClause(rest, "ENDS");
    const std::optional<TMkNameList> insert = TakeClause(rest, "SKIP");
    std::optional<TMkNameList> exclusions = TakeClause(rest, "-");
    std::istringstream words(rest);
    std::string start;
    std::string end;
    std::string model;
    words >> start >> end;
    std::getline(words, model);
    DTD.Declarations.AddElement(name, TagRequired(start, name),
                                Skipper(name, insert && !insert->empty() ? insert->front() : ""),
                                Notifier(name), std::move(exclusions), Model(model),
                                std::move(terminators), TagRequired(end, name));
}

TMkDTDHandler TTestParser::Notifier(const std::string &name)
{
    return [this, name](TMkTreeBuilder &, TMkDTDAction action) {
        if (OnNotify)
            OnNotify(name, action);
    };
}

TMkDTDHandler TTestParser::Skipper(const std::string &name, const std::string &insert)
{
    return [this, name, insert](TMkTreeBuilder &, TMkDTDAction action) {
        if (OnSkip)
            OnSkip(name, action, insert);
        if (insert.empty())
            Advance();
        else
            InsertTag(insert);
    };
}

} // namespace testkit
