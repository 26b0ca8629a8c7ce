#pragma once

#include "markup/MkControlHost.h"
#include "markup/MkNodePool.h"
#include "markup/MkParserRegistry.h"
#include "markup/MkTagNames.h"
#include "markup/dtd/MkDeductionTree.h"
#include "textobjects/MkPicture.h"

// Everything a parse and a paint share beyond the tree itself, in one object
// that whoever parses owns: the list box holds one for its items, the dump
// tool, each test and each fuzz run make their own.  Nothing of it is kept
// anywhere else, so two engines never meet: each thread may run its own,
// and a fresh engine is a fresh start.
//
// An engine is used by one thread at a time.  It must outlive the parsers
// made with it and the trees they made (trees keep its picture store and
// controls, parsers its names and nodes).
class TMkEngine {
public:
    TMkEngine() = default;
    TMkEngine(const TMkEngine &) = delete;
    TMkEngine &operator=(const TMkEngine &) = delete;

    // The tag and element names of the document types compiled with this
    // engine, as numbers; the tokens its parsers read keep their number.
    TMkTagNames TagNames;
    // Deduction nodes of the grammar engine.  Between runs it keeps room for
    // as many as a few game rows need; a long document's nodes go back to
    // the heap when its run ends.
    TMkNodePool DeductionNodes{sizeof(TMkDeductionTree), std::size_t{1} << 12};
    // The picture loader and the pictures read lately.
    TMkPictureStore Pictures;
    // The control host and the control classes known by name.
    TMkControls Controls;
    // The parser classes, found by class name.  Empty in a fresh engine:
    // whoever looks parsers up by name registers them first
    // (MkRegisterSimpleParsers, MkRegisterHTMLParser), as the list box does.
    TMkParserRegistry Parsers;
};
