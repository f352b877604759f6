#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zm {

// A control is state owned by the logic; the view binds one observer to it and
// redraws the widget of the same name when it changes.
class Control {
public:
    explicit Control(std::string name) : name_(std::move(name)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return name_; }

    bool visible() const { return visible_; }
    void setVisible(bool v) { set(visible_, v); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool e) { set(enabled_, e); }
    const std::string& tooltip() const { return tooltip_; }
    void setTooltip(std::string t) { set(tooltip_, std::move(t)); }

    // One observer per control: a second bind is a fault of the view.
    void bind(std::function<void()> observer) {
        if (observer_) throw std::logic_error("control bound twice: " + name_);
        observer_ = std::move(observer);
    }
    bool bound() const { return static_cast<bool>(observer_); }

protected:
    void notify() const {
        if (observer_) observer_();
    }
    template <class T>
    void set(T& member, T value) {
        if (member == value) return;
        member = std::move(value);
        notify();
    }

private:
    std::string name_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string tooltip_;
    std::function<void()> observer_;
};

// Labels, buttons and frames show a caption.
class Captioned : public Control {
public:
    explicit Captioned(std::string name, std::string caption = {})
        : Control(std::move(name)), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }
    void setCaption(std::string c) { set(caption_, std::move(c)); }

private:
    std::string caption_;
};

using Label = Captioned;
using Button = Captioned;
using Frame = Captioned;
using Picture = Captioned;

class TextBox : public Control {
public:
    using Control::Control;
    const std::string& text() const { return text_; }
    void setText(std::string t) { set(text_, std::move(t)); }

private:
    std::string text_;
};

// Value 1 = ticked, 0 = not ticked.
class CheckBox : public Control {
public:
    using Control::Control;
    int value() const { return value_; }
    void setValue(int v) { set(value_, v); }

private:
    int value_ = 0;
};

// A list of texts with at most one selected entry.
class ListBox : public Control {
public:
    using Control::Control;
    const std::vector<std::string>& entries() const { return entries_; }
    // Replaces every entry in one go; nothing is selected afterwards.
    void setEntries(std::vector<std::string> entries) {
        entries_ = std::move(entries);
        listIndex_ = -1;
        notify();
    }
    // The selected entry's position, -1 when none is.
    int listIndex() const { return listIndex_; }
    void setListIndex(int i) {
        set(listIndex_, i >= 0 && i < static_cast<int>(entries_.size()) ? i : -1);
    }
    // The selected entry; empty when none is.
    std::string text() const {
        return listIndex_ < 0 ? std::string() : entries_[static_cast<std::size_t>(listIndex_)];
    }

private:
    std::vector<std::string> entries_;
    int listIndex_ = -1;
};

inline constexpr int kEnterKey = 13;

}  // namespace zm
