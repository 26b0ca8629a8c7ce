#include "markup/MkTextObject.h"

#include "markup/MkByteStream.h"
#include "markup/MkEngine.h"
#include "markup/MkParser.h"
#include "markup/MkStrings.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkPicture.h"

TMkTextObject::TMkTextObject(TMkEngine &engine) : engine_(engine) {}

TMkTextObject::~TMkTextObject() = default;

std::string TMkTextObject::ParserClass() const
{
    return parser_ ? parser_->Class().ClassName : std::string();
}

void TMkTextObject::SetParserClass(std::string_view name)
{
    if (parser_ && MkSameText(parser_->Class().ClassName, name))
        return;
    const TMkParserClass *found = engine_.Parsers.Find(name);
    if (found == nullptr)
        return;
    parser_.reset();
    parser_ = found->Create(engine_);
    if ((root_ && root_->Count() > 0) || NotifyParserChanges)
        Changed();
}

void TMkTextObject::Parse(std::string_view text)
{
    root_.reset();
    if (text.empty())
        return;
    if (!parser_)
        parser_ = engine_.Parsers.DefaultClass().Create(engine_);
    TMkMemoryStream stream(text);
    // A row names the same picture files again and again (a repeated picture
    // is one load per copy); each file is checked once per parse.
    const TMkPictureBatch pictures(engine_.Pictures);
    root_ = parser_->Parse(stream, ImageHandler, VariableHandler, ControlHandler, RepeatHandler);
    if (root_) {
        root_->SetHostControl(HostControl);
        root_->SetParentWindow(ParentWindow);
    }
}

void TMkTextObject::Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset,
                          const TMkFont &font, TMkColor backColor, bool singleLine, bool wordWrap)
{
    if (root_)
        root_->Paint({canvas, rect, offset, font, backColor, singleLine, wordWrap, false});
}

TMkRect TMkTextObject::Bounds(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font,
                              bool singleLine, bool wordWrap)
{
    if (!root_)
        return {0, 0, 10, 10};
    return root_->GetBounds({canvas, rect, font, singleLine, wordWrap});
}

void TMkTextObject::Assign(const TMkTextObject &other)
{
    SetParserClass(other.ParserClass());
    NotifyParserChanges = other.NotifyParserChanges;
}

void TMkTextObject::Changed()
{
    if (OnChange)
        OnChange();
}
