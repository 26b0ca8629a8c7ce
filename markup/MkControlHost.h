#pragma once

#include "textobjects/MkGeometry.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

// Window controls embedded in markup are the platform's; the engine reaches
// them through the interfaces here.  Without an installed host (the dump
// tool, the tests, a platform without controls) no control is ever made and
// the embedded pieces keep only their place in the layout.

// What the engine needs to know of a control class besides its name: the
// default size rules treat edit fields and push buttons apart.
enum class TMkControlKind : std::uint8_t {
    Edit,   // derived from the platform's edit base class
    Button, // a push button (TButton or derived)
    Other,
};

struct TMkControlClass {
    std::string Name;
    TMkControlKind Kind = TMkControlKind::Other;
};

// A control made by the host.  Destroying the object destroys the control
// when it has a parent window; otherwise its owner destroys it.
class TMkWindowControl {
public:
    virtual ~TMkWindowControl() = default;

    virtual const TMkControlClass &Class() const = 0;
    // The platform object, as the ControlHandler of a parse receives it.
    virtual void *Native() = 0;

    virtual void SetParentWindow(void *window) = 0;
    virtual void *ParentWindow() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
    virtual void SetSize(std::int32_t width, std::int32_t height) = 0;
    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
    virtual void SetText(std::string_view text) = 0;
    // The top-left corner in the parent window's client coordinates.
    virtual void MoveTo(TMkPoint position) = 0;
};

// The platform side: makes controls and converts coordinates.
class TMkControlHost {
public:
    virtual ~TMkControlHost() = default;

    // A new control of the class with the given owner (may be null), or
    // null when the host cannot make one of that class.
    virtual std::unique_ptr<TMkWindowControl> CreateControl(const TMkControlClass &controlClass,
                                                            void *owner) = 0;
    // From the client coordinates of a control (null: the screen itself) to
    // the screen, and from the screen to the client coordinates of a window.
    virtual TMkPoint ClientToScreen(void *control, TMkPoint point) = 0;
    virtual TMkPoint ScreenToClient(void *window, TMkPoint point) = 0;
};

// An engine's controls (MkEngine.h): the host that makes them, if one is
// installed, and the control classes known by name (compared ignoring case).
// The stock classes (TEdit, TButton, TCheckBox, TRadioButton) are known from
// the start.
class TMkControls {
public:
    TMkControls();
    TMkControls(const TMkControls &) = delete;
    TMkControls &operator=(const TMkControls &) = delete;

    // Installs the host (null: none); the caller keeps it alive while trees
    // made with this engine exist.  Returns the host installed before.
    TMkControlHost *SetHost(TMkControlHost *host);
    TMkControlHost *Host() const { return host_; }

    // Registering a name again replaces its kind.
    void RegisterClass(const TMkControlClass &controlClass);
    // The class of that name, or null.  The pointer stays valid while the
    // engine lives.
    const TMkControlClass *FindClass(std::string_view name) const;

private:
    TMkControlHost *host_ = nullptr;
    std::deque<TMkControlClass> classes_; // entries never move
};
