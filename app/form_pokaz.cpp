#include "form_pokaz.h"

#include "command_button.h"
#include "event_wiring.h"
#include "fonts.h"
#include "frame.h"
#include "label.h"
#include "layout.h"
#include "picture_box.h"
#include "picture_catalog.h"
#include "system_color.h"
#include "twips.h"

#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <QtGlobal>

#include <algorithm>
#include <vector>

namespace pokaz {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The control's drag icon as a pointer shape. X pointers are drawn in screen
// pixels, unscaled, so from a scale of 2 on the icon at twice the size is
// used, with its hot spot where the doubled drawing puts it.
QCursor dragCursor(Control control, HotSpot hotSpot, qreal screenRatio)
{
    if (screenRatio < DoubleSizeFactor)
        return QCursor(QPixmap::fromImage(loadPicture(control, PictureProperty::DragIcon)), hotSpot.x, hotSpot.y);
    const QImage doubled = loadPicture(control, PictureProperty::DragIcon, PictureScale::Double);
    return QCursor(QPixmap::fromImage(doubled), hotSpot.x * DoubleSizeFactor, hotSpot.y * DoubleSizeFactor);
}

QFont fontOf(const LayoutFont& font)
{
    constexpr int BoldWeight = 700;
    return toolkit::fontInPoints(fromUtf8(font.face), font.points, font.weight >= BoldWeight);
}

Qt::Alignment alignmentOf(Alignment alignment)
{
    const Qt::Alignment horizontal = alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    return horizontal | Qt::AlignTop;
}

} // namespace

Form_Pokaz::Form_Pokaz()
    : DialogWindow(QSize(toolkit::twipsToPixels(FormClientWidth), toolkit::twipsToPixels(FormClientHeight)))
    , router_(*this, *this)
    , exercise_(*this)
{
    setWindowTitle(fromUtf8(FormCaption));
    setWindowIcon(pokaz::windowIcon());
    QPalette colors = palette();
    colors.setColor(QPalette::Window, toolkit::colorFromOle(FormBackColor));
    setPalette(colors);
    setAutoFillBackground(true);

    createControls();
    stackControls();

    exercise_.Form_Load();

    // Only what the first frame shows is decoded before it; the open drawers,
    // the paper, the mailbox scene and the drag pointers follow right after it.
    for (const ControlLayout& row : formLayout()) {
        if (row.type != ControlClass::PictureBox)
            continue;
        if (control(row.control)->isVisibleTo(this))
            givePicture(row.control);
        else
            picturesToGive_.push_back(row.control);
    }
}

Form_Pokaz::~Form_Pokaz() = default;

void Form_Pokaz::createControls()
{
    // Made in tab order, which lists every container before what it holds:
    // Qt's focus chain is the order in which widgets are made.
    std::vector<const ControlLayout*> rows;
    for (const ControlLayout& row : formLayout())
        rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });

    for (const ControlLayout* row : rows) {
        QWidget* container = row->container ? control(*row->container) : this;
        if (container == nullptr)
            qFatal("Pokaz: %s comes before its container in tab order", controlName(row->control).data());
        QWidget* widget = createControl(*row, container);
        const auto index = static_cast<std::size_t>(row->control);
        controls_.at(index) = widget;
        lefts_.at(index) = static_cast<float>(row->left);

        const QRect pixels = toolkit::twipsToPixels(row->left, row->top, row->width, row->height);
        widget->setGeometry(pixels.translated(containerOrigin(row->control)));
        widget->setToolTip(fromUtf8(row->toolTip));
        if (row->type == ControlClass::Label) {
            // Left without a name, a label is named by its caption and tells a
            // screen reader when that changes, so the new instruction is spoken.
            widget->setAccessibleDescription(fromUtf8(pokaz::accessibleName(row->control)));
        } else {
            widget->setAccessibleName(fromUtf8(pokaz::accessibleName(row->control)));
            widget->setAccessibleDescription(fromUtf8(row->toolTip));
        }
        widget->setVisible(row->visibleWhenCreated);
        router_.addControl(widget);
    }
}

QWidget* Form_Pokaz::createControl(const ControlLayout& row, QWidget* container)
{
    switch (row.type) {
    case ControlClass::PictureBox: {
        auto* picture = new toolkit::PictureBox(container);
        picture->setBorder(row.border == BorderStyle::Sunken3D ? toolkit::PictureBox::Border::Sunken3D
                                                               : toolkit::PictureBox::Border::None);
        picture->setBackColor(toolkit::colorFromOle(row.backColor));
        return picture;
    }
    case ControlClass::Label: {
        auto* text = new toolkit::Label(container);
        text->setBorder(row.border == BorderStyle::FixedSingle ? toolkit::Label::Border::SingleSunken
                                                               : toolkit::Label::Border::None);
        text->setBackColor(toolkit::colorFromOle(row.backColor));
        text->setForeColor(toolkit::colorFromOle(row.foreColor));
        text->setAlignment(alignmentOf(row.alignment));
        if (row.font)
            text->setFont(fontOf(*row.font));
        text->setText(fromUtf8(row.caption));
        return text;
    }
    case ControlClass::Frame: {
        auto* frame = new toolkit::Frame(container);
        frame->setTitle(fromUtf8(row.caption));
        return frame;
    }
    case ControlClass::CommandButton: {
        auto* button = new toolkit::CommandButton(container);
        button->setText(fromUtf8(row.caption));
        if (row.font)
            button->setFont(fontOf(*row.font));
        connect(button, &QPushButton::clicked, this, [this, button] { click(button); });
        return button;
    }
    }
    qFatal("Pokaz: control of unknown class");
}

void Form_Pokaz::givePicture(Control control)
{
    auto* picture = qobject_cast<toolkit::PictureBox*>(this->control(control));
    picture->setPicture(loadPicture(control), [control] {
        return loadPicture(control, PictureProperty::Picture, PictureScale::Double);
    });
    if (const auto& hotSpot = layoutOf(control).dragIcon)
        router_.setDragIcon(picture, dragCursor(control, *hotSpot, devicePixelRatioF()));
}

void Form_Pokaz::giveRemainingPictures()
{
    for (const Control control : picturesToGive_)
        givePicture(control);
    picturesToGive_.clear();
}

void Form_Pokaz::stackControls()
{
    // Qt puts the sibling raised last on top; the table lists the topmost first.
    const auto rows = formLayout();
    std::for_each(rows.rbegin(), rows.rend(), [this](const ControlLayout& row) { control(row.control)->raise(); });
}

QWidget* Form_Pokaz::control(Control control) const
{
    return controls_.at(static_cast<std::size_t>(control));
}

std::optional<Control> Form_Pokaz::controlOf(const QWidget* widget) const
{
    const auto found = std::find(controls_.begin(), controls_.end(), widget);
    if (widget == nullptr || found == controls_.end())
        return std::nullopt;
    return static_cast<Control>(found - controls_.begin());
}

std::optional<Control> Form_Pokaz::controlAt(QPoint clientPos) const
{
    return controlOf(router_.controlAt(clientPos));
}

QPoint Form_Pokaz::containerOrigin(Control control) const
{
    const auto container = layoutOf(control).container;
    if (!container)
        return {};
    if (const auto* picture = qobject_cast<const toolkit::PictureBox*>(this->control(*container)))
        return picture->clientOrigin();
    return {};
}

toolkit::Label& Form_Pokaz::label(Control control) const
{
    auto* text = qobject_cast<toolkit::Label*>(this->control(control));
    if (text == nullptr)
        qFatal("Pokaz: %s is not a label", controlName(control).data());
    return *text;
}

// FormView

Truth Form_Pokaz::Visible(Control control) const
{
    // The control's own flag: isVisible() would also say whether its frame
    // and the window are shown.
    return truthOf(!this->control(control)->isHidden());
}

void Form_Pokaz::setVisible(Control control, Truth visible)
{
    // However quick the learner is, nothing shows before its picture.
    if (isTrue(visible))
        giveRemainingPictures();
    this->control(control)->setVisible(isTrue(visible));
}

void Form_Pokaz::setCaption(Control label, std::string_view caption)
{
    this->label(label).setText(fromUtf8(caption));
}

void Form_Pokaz::setBackColor(Control label, OleColor color)
{
    this->label(label).setBackColor(toolkit::colorFromOle(color));
}

void Form_Pokaz::setForeColor(Control label, OleColor color)
{
    this->label(label).setForeColor(toolkit::colorFromOle(color));
}

void Form_Pokaz::setFontItalic(Control label, Truth italic)
{
    this->label(label).setFontItalic(isTrue(italic));
}

float Form_Pokaz::Left(Control picture) const
{
    return lefts_.at(static_cast<std::size_t>(picture));
}

void Form_Pokaz::setLeft(Control picture, float twips)
{
    lefts_.at(static_cast<std::size_t>(picture)) = twips;
    QWidget* widget = control(picture);
    const QRect before = widget->geometry();
    widget->move(toolkit::twipsToPixels(twips) + containerOrigin(picture).x(), before.y());
    // Painted now: the closing slide runs inside one handler, with no event
    // processing between its steps, and each step has to reach the screen.
    QWidget* container = widget->parentWidget();
    if (container->isVisible())
        container->repaint(before.united(widget->geometry()).intersected(container->rect()));
}

void Form_Pokaz::setHeight(float twips)
{
    setOuterHeight(twips);
}

void Form_Pokaz::endProgram()
{
    close();
}

void Form_Pokaz::paintEvent(QPaintEvent* event)
{
    DialogWindow::paintEvent(event);
    if (!picturesToGive_.empty())
        QTimer::singleShot(0, this, &Form_Pokaz::giveRemainingPictures);
}

// Mouse

void Form_Pokaz::mousePressEvent(QMouseEvent* event)
{
    router_.press(*event);
}

void Form_Pokaz::mouseMoveEvent(QMouseEvent* event)
{
    router_.move(*event);
}

void Form_Pokaz::mouseReleaseEvent(QMouseEvent* event)
{
    router_.release(*event);
}

void Form_Pokaz::mouseDoubleClickEvent(QMouseEvent* event)
{
    router_.doubleClick(*event);
}

// Control events, handed on to the exercise.

void Form_Pokaz::click(QWidget* control)
{
    if (const auto target = controlOf(control))
        deliverClick(exercise_, *target);
}

void Form_Pokaz::doubleClick(QWidget* control)
{
    if (const auto target = controlOf(control))
        deliverDblClick(exercise_, *target);
}

void Form_Pokaz::dragOver(QWidget* target, QWidget* source, QPoint windowPos, DragState state)
{
    const auto targetControl = controlOf(target);
    const auto sourceControl = controlOf(source);
    if (!targetControl || !sourceControl)
        return;
    const QPointF at = twipsWithin(target, windowPos);
    deliverDragOver(exercise_, *targetControl, *sourceControl, static_cast<float>(at.x()),
                    static_cast<float>(at.y()), state);
}

void Form_Pokaz::dragDrop(QWidget* target, QWidget* source, QPoint windowPos)
{
    const auto targetControl = controlOf(target);
    const auto sourceControl = controlOf(source);
    if (!targetControl || !sourceControl)
        return;
    const QPointF at = twipsWithin(target, windowPos);
    deliverDragDrop(exercise_, *targetControl, *sourceControl, static_cast<float>(at.x()),
                    static_cast<float>(at.y()));
}

QPointF Form_Pokaz::twipsWithin(QWidget* control, QPoint windowPos) const
{
    QPoint pixels = control->mapFrom(this, windowPos);
    if (const auto* picture = qobject_cast<const toolkit::PictureBox*>(control))
        pixels -= picture->clientOrigin();
    return QPointF(pixels) * toolkit::TwipsPerPixel;
}

} // namespace pokaz
