#pragma once

#include "markup/MkControlHost.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The Qt side of the window controls embedded in markup.  The class names
// the markup uses map to Qt widgets: TEdit a QLineEdit, TButton a
// QPushButton, TCheckBox a QCheckBox, TRadioButton a QRadioButton; a host
// application may map more.  (The game's own TEdit in Edit.h is another
// class; only the name is shared.)
//
// The engine hands windows around as untyped pointers: ParentWindow and
// HostControl of a tree, and the owner and windows given to this host, must
// be QWidget pointers.  A host is installed in an engine's controls with
// Install and kept alive while trees made with that engine exist.
class TQtControlHost : public TMkControlHost {
public:
    // Makes a widget of one class, with the given owner as its parent.
    using TFactory = std::function<QWidget *(QWidget *owner)>;

    TQtControlHost();

    // Maps a class name to a widget; the name is registered under the given
    // kind with the engine the host is installed in, now or later.
    void RegisterClass(const TMkControlClass &controlClass, TFactory factory);
    // Makes this the host of the controls and registers the classes it maps
    // there.  Returns the host installed before.
    TMkControlHost *Install(TMkControls &controls);

    std::unique_ptr<TMkWindowControl> CreateControl(const TMkControlClass &controlClass,
                                                    void *owner) override;
    TMkPoint ClientToScreen(void *control, TMkPoint point) override;
    TMkPoint ScreenToClient(void *window, TMkPoint point) override;

private:
    std::map<std::string, TFactory> factories_; // upper-cased names
    std::vector<TMkControlClass> classes_;
    TMkControls *installed_ = nullptr;
};

// One widget as the engine sees it.  A widget that has a parent window goes
// with this object; one without is left to its owner.
class TQtWindowControl : public TMkWindowControl {
public:
    TQtWindowControl(const TMkControlClass &controlClass, QWidget *widget);
    ~TQtWindowControl() override;

    const TMkControlClass &Class() const override { return class_; }
    void *Native() override { return widget_.data(); }
    void SetParentWindow(void *window) override;
    void *ParentWindow() const override;
    void SetVisible(bool visible) override;
    bool Visible() const override;
    void SetSize(std::int32_t width, std::int32_t height) override;
    std::int32_t Width() const override;
    std::int32_t Height() const override;
    void SetText(std::string_view text) override;
    void MoveTo(TMkPoint position) override;

private:
    TMkControlClass class_;
    QPointer<QWidget> widget_; // null once Qt has destroyed the widget
};
