#include "form_controller.h"

#include "asset_catalog.h"
#include "command_button.h"
#include "dialog_window.h"
#include "event_wiring.h"
#include "fonts.h"
#include "frame.h"
#include "label.h"
#include "layout.h"
#include "picture_box.h"
#include "platform.h"
#include "twips.h"

#include <QtGlobal>

namespace pokaz {

namespace {

// Which control a widget is, kept on the widget itself.
constexpr auto ControlProperty = "pokazControl";

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QFont fontOf(const LayoutFont& font) { return toolkit::fontInPoints(fromUtf8(font.face), font.points, font.bold); }

Control controlOf(toolkit::ControlId id) { return static_cast<Control>(id); }

} // namespace

FormController::FormController(toolkit::DialogWindow& window)
    : window_(window)
    , hasDoublePictures_(hasDoubleSizePictures())
    , router_(window, *this, *this)
    , exercise_(*this)
{
    for (const ControlLayout& row : formLayout()) {
        ControlRecord& control = record(row.control);
        QWidget& container = row.container ? *widget(*row.container) : window;
        control.layout = &row;
        control.left = static_cast<float>(row.left);
        control.widget = createWidget(row, container);
        control.widget->setProperty(ControlProperty, static_cast<int>(row.control));
        const QRect pixels = toolkit::twipsToPixels(row.left, row.top, row.width, row.height);
        control.widget->setGeometry(pixels.translated(containerOrigin(row.control)));
        control.widget->setToolTip(fromUtf8(row.toolTip));
        if (row.type == ControlClass::Label) {
            // Left without a name, a label is named by its caption and tells a
            // screen reader when that changes, so the new instruction is spoken.
            control.widget->setAccessibleDescription(fromUtf8(row.accessibleName));
        } else {
            control.widget->setAccessibleName(fromUtf8(row.accessibleName));
            control.widget->setAccessibleDescription(fromUtf8(row.toolTip));
        }
        control.widget->setVisible(row.visibleWhenCreated);
        // Qt puts the sibling raised last on top; the table lists the topmost first.
        control.widget->lower();
        router_.watch(*control.widget);
    }
    // Tab reaches "Još jednom..." before "Kraj". With only the two of them
    // taking the focus, Qt finds them in order whichever comes first after
    // the window, so their frame takes part while Kraj is moved behind.
    QWidget* frame = widget(Control::Frame_Posta);
    frame->setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(widget(Control::BTN_Ponovo), widget(Control::BTN_Kraj));
    frame->setFocusPolicy(Qt::NoFocus);

    exercise_.Form_Load();

    // Only what the first frame shows is decoded before it; the open drawers,
    // the paper and the mailbox scene follow right after it.
    for (const ControlLayout& row : formLayout()) {
        if (row.type != ControlClass::PictureBox)
            continue;
        if (widget(row.control)->isVisibleTo(&window_))
            givePicture(row.control);
        else
            picturesToGive_.push_back(row.control);
    }
}

FormController::~FormController() = default;

QWidget* FormController::createWidget(const ControlLayout& row, QWidget& container)
{
    switch (row.type) {
    case ControlClass::PictureBox: {
        auto* picture = new toolkit::PictureBox(&container);
        picture->setBorder(row.border == BorderStyle::Sunken3D ? toolkit::PictureBox::Border::Sunken3D
                                                               : toolkit::PictureBox::Border::None);
        return picture;
    }
    case ControlClass::Label: {
        auto* text = new toolkit::Label(&container);
        text->setBorder(row.border == BorderStyle::FixedSingle ? toolkit::Label::Border::SingleSunken
                                                               : toolkit::Label::Border::None);
        text->setAlignment((row.alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        if (row.font)
            text->setFont(fontOf(*row.font));
        text->setCaption(fromUtf8(row.caption));
        return text;
    }
    case ControlClass::Frame: {
        auto* frame = new toolkit::Frame(&container);
        frame->setTitle(fromUtf8(row.caption));
        return frame;
    }
    case ControlClass::CommandButton: {
        auto* button = new toolkit::CommandButton(&container);
        button->setText(fromUtf8(row.caption));
        if (row.font)
            button->setFont(fontOf(*row.font));
        QObject::connect(
            button, &QPushButton::clicked, button, [this, id = row.control] { click(static_cast<int>(id)); });
        return button;
    }
    }
    qFatal("Pokaz: control of unknown class");
}

void FormController::givePicture(Control control)
{
    auto* picture = qobject_cast<toolkit::PictureBox*>(widget(control));
    std::function<QImage()> doubleSize;
    if (hasDoublePictures_)
        doubleSize = [control] { return loadPicture(control, PictureProperty::Picture, PictureScale::Double); };
    picture->setPicture(loadPicture(control), std::move(doubleSize));
}

void FormController::giveRemainingPictures()
{
    for (const Control control : picturesToGive_)
        givePicture(control);
    picturesToGive_.clear();
}

QPoint FormController::containerOrigin(Control control) const
{
    const auto container = record(control).layout->container;
    const auto* picture = container ? qobject_cast<const toolkit::PictureBox*>(widget(*container)) : nullptr;
    return picture != nullptr ? picture->clientOrigin() : QPoint();
}

toolkit::Label& FormController::label(Control control) const
{
    auto* text = qobject_cast<toolkit::Label*>(widget(control));
    if (text == nullptr)
        qFatal("Pokaz: %s is not a label", controlName(control).data());
    return *text;
}

// FormView

Truth FormController::Visible(Control control) const
{
    // The control's own flag: isVisible() would also say whether its frame
    // and the window are shown.
    return truthOf(!widget(control)->isHidden());
}

void FormController::setVisible(Control control, Truth visible)
{
    // However quick the learner is, nothing shows before its picture.
    if (isTrue(visible))
        giveRemainingPictures();
    widget(control)->setVisible(isTrue(visible));
}

void FormController::setCaption(Control control, std::string_view caption)
{
    label(control).setCaption(fromUtf8(caption));
}

void FormController::setBackColor(Control control, OleColor color) { label(control).setBackColor(color); }

void FormController::setForeColor(Control control, OleColor color) { label(control).setForeColor(color); }

void FormController::setFontItalic(Control control, Truth italic) { label(control).setFontItalic(isTrue(italic)); }

float FormController::Left(Control picture) const { return record(picture).left; }

void FormController::setLeft(Control picture, float twips)
{
    record(picture).left = twips;
    QWidget* moved = widget(picture);
    const QRect before = moved->geometry();
    moved->move(toolkit::twipsToPixels(twips) + containerOrigin(picture).x(), before.y());
    // Painted now: the closing slide runs inside one handler, with no event
    // processing between its steps, and each step has to reach the screen.
    QWidget* container = moved->parentWidget();
    if (container->isVisible())
        container->repaint(before.united(moved->geometry()).intersected(container->rect()));
}

void FormController::setHeight(float twips) { window_.setOuterHeight(twips); }

void FormController::endProgram() { window_.close(); }

// toolkit::ControlLocator: Qt's own hit test, up to the nearest control.

toolkit::ControlId FormController::controlAt(QPoint windowPos) const
{
    for (const QWidget* hit = window_.childAt(windowPos); hit != nullptr; hit = hit->parentWidget()) {
        if (const QVariant id = hit->property(ControlProperty); id.isValid())
            return id.toInt();
    }
    return toolkit::NoControl;
}

bool FormController::isShown(toolkit::ControlId control) const
{
    return widget(controlOf(control))->isVisibleTo(&window_);
}

std::optional<QCursor> FormController::dragPointer(toolkit::ControlId control) const
{
    if (control == toolkit::NoControl)
        return {};
    const std::optional<HotSpot> hotSpot = record(controlOf(control)).layout->dragIcon;
    if (!hotSpot)
        return {};
    // Made at each press, for the screen the window is on then.
    const int factor = hasDoublePictures_ ? toolkit::dragIconFactor(window_.devicePixelRatioF()) : 1;
    const PictureScale scale = factor == 1 ? PictureScale::Single : PictureScale::Double;
    return toolkit::dragPointer(
        loadPicture(controlOf(control), PictureProperty::DragIcon, scale), factor, QPoint(hotSpot->x, hotSpot->y));
}

// Control events, handed on to the exercise.

void FormController::click(toolkit::ControlId control)
{
    if (control != toolkit::NoControl)
        deliverClick(exercise_, controlOf(control));
}

void FormController::doubleClick(toolkit::ControlId control)
{
    if (control != toolkit::NoControl)
        deliverDblClick(exercise_, controlOf(control));
}

void FormController::dragOver(toolkit::ControlId target, toolkit::ControlId source, QPoint windowPos, DragState state)
{
    const QPointF at = twipsWithin(controlOf(target), windowPos);
    deliverDragOver(
        exercise_, controlOf(target), controlOf(source), static_cast<float>(at.x()), static_cast<float>(at.y()), state);
}

void FormController::dragDrop(toolkit::ControlId target, toolkit::ControlId source, QPoint windowPos)
{
    const QPointF at = twipsWithin(controlOf(target), windowPos);
    deliverDragDrop(
        exercise_, controlOf(target), controlOf(source), static_cast<float>(at.x()), static_cast<float>(at.y()));
}

QPointF FormController::twipsWithin(Control control, QPoint windowPos) const
{
    QPoint pixels = widget(control)->mapFrom(&window_, windowPos);
    if (const auto* picture = qobject_cast<const toolkit::PictureBox*>(widget(control)))
        pixels -= picture->clientOrigin();
    return QPointF(pixels) * toolkit::TwipsPerPixel;
}

} // namespace pokaz
