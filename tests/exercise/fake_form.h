#pragma once

#include "form_view.h"

#include <array>
#include <string>
#include <vector>

namespace pokaz::test {

// An in-memory window for the exercise: it keeps every property the exercise
// may touch and logs each change, so tests can check values and order.
class FakeForm final : public FormView {
public:
    FakeForm();

    Truth Visible(Control control) const override;
    void setVisible(Control control, Truth visible) override;
    void setCaption(Control label, std::string_view caption) override;
    void setBackColor(Control label, OleColor color) override;
    void setForeColor(Control label, OleColor color) override;
    void setFontItalic(Control label, Truth italic) override;
    float Left(Control picture) const override;
    void setLeft(Control picture, float twips) override;
    void setHeight(float twips) override;
    void endProgram() override;

    bool shown(Control control) const { return isTrue(Visible(control)); }
    const std::string& caption(Control label) const { return at(captions, label); }
    OleColor backColor(Control label) const { return at(backColors, label); }
    OleColor foreColor(Control label) const { return at(foreColors, label); }
    bool italic(Control label) const { return isTrue(at(italics, label)); }
    float height() const { return height_; }
    bool ended() const { return ended_; }

    // The visible paper members, by Index.
    std::vector<int> visiblePaper() const;

    // Changes since the last clearLog(), e.g. "hide Pic_Papir(0)", "Tok= 25%".
    std::vector<std::string> log;
    void clearLog() { log.clear(); }

private:
    template <typename T>
    static const T& at(const std::array<T, ControlCount>& values, Control control)
    {
        return values.at(static_cast<std::size_t>(control));
    }
    template <typename T>
    static T& at(std::array<T, ControlCount>& values, Control control)
    {
        return values.at(static_cast<std::size_t>(control));
    }

    std::array<Truth, ControlCount> visible{};
    std::array<std::string, ControlCount> captions{};
    std::array<OleColor, ControlCount> backColors{};
    std::array<OleColor, ControlCount> foreColors{};
    std::array<Truth, ControlCount> italics{};
    std::array<float, ControlCount> lefts{};
    float height_ = 0.0F;
    bool ended_ = false;
};

} // namespace pokaz::test
