#pragma once

#include "markup/MkControlHost.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace testkit {

// What the fake platform did, in order.
using TJournal = std::vector<std::string>;

// An embedded control that only remembers what it was told.
class TFakeControl : public TMkWindowControl {
public:
    TFakeControl(const TMkControlClass &cls, TJournal &journal) : Cls(cls), Journal(journal) {}
    ~TFakeControl() override { Journal.push_back("destroy " + Cls.Name); }

    const TMkControlClass &Class() const override { return Cls; }
    void *Native() override { return this; }
    void SetParentWindow(void *window) override { Window = window; }
    void *ParentWindow() const override { return Window; }
    void SetVisible(bool visible) override { Shown = visible; }
    bool Visible() const override { return Shown; }
    void SetSize(std::int32_t width, std::int32_t height) override
    {
        W = width;
        H = height;
    }
    std::int32_t Width() const override { return W; }
    std::int32_t Height() const override { return H; }
    void SetText(std::string_view text) override { Text = text; }
    void MoveTo(TMkPoint position) override { Position = position; }

    TMkControlClass Cls;
    TJournal &Journal;
    void *Window = nullptr;
    bool Shown = true; // platforms make controls visible; the piece must hide it
    std::int32_t W = 0;
    std::int32_t H = 0;
    std::string Text;
    TMkPoint Position{-1, -1};
};

// Makes fake controls and journals them.  Client coordinates of Owner sit at
// (100, 200) on the screen, those of any window at (10, 20).
class TFakeHost : public TMkControlHost {
public:
    std::unique_ptr<TMkWindowControl> CreateControl(const TMkControlClass &cls,
                                                    void *owner) override
    {
        Journal.push_back("create " + cls.Name + (owner == &Owner ? " owned" : ""));
        return std::make_unique<TFakeControl>(cls, Journal);
    }
    TMkPoint ClientToScreen(void *control, TMkPoint p) override
    {
        return control == &Owner ? TMkPoint{p.X + 100, p.Y + 200} : p;
    }
    TMkPoint ScreenToClient(void *, TMkPoint p) override { return {p.X - 10, p.Y - 20}; }

    TJournal Journal;
    int Owner = 0;
    int Window = 0;
};

} // namespace testkit
