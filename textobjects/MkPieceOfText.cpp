#include "textobjects/MkPieceOfText.h"

TMkPieceOfText::TMkPieceOfText(TMkBaseText *parent) : TMkBaseText(parent) {}

void TMkPieceOfText::ResolveVariables(const TMkVariableCallback &callback)
{
    MkTextResolve(*this, LinkRef, callback);
}

void TMkPieceOfText::CopyPieceTo(TMkPieceOfText &target) const
{
    target.IsLink = IsLink;
    target.LinkRef = LinkRef;
}
