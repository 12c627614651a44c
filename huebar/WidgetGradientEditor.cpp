#include "WidgetGradientEditor.h"

#include <QColorDialog>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QStringList>

namespace {

struct PresetStop {
    float position;
    int r, g, b;
};

// The markers of a preset in the order they are added.
QVector<PresetStop> presetStops(int preset)
{
    switch (preset) {
    case 1:
        return {{1.0f, 255, 0, 0}, {0.75f, 255, 255, 0}, {0.5f, 0, 255, 0}, {0.25f, 0, 255, 255},
                {0.0f, 0, 0, 255}};
    case 2:
        return {{0.75f, 255, 128, 0}, {1.0f, 255, 0, 0}, {0.25f, 0, 128, 255}, {0.5f, 0, 128, 0},
                {0.0f, 0, 0, 255}};
    case 3:
        return {{0.25f, 0, 128, 255}, {0.5f, 0, 128, 0}};
    default:
        return {};
    }
}

// The shortest "g" text of a float that reads back to the same float.
QString shortestFloatText(float value)
{
    for (int precision = 1; precision < 9; ++precision) {
        const QString text = QString::number(double(value), 'g', precision);
        if (text.toFloat() == value)
            return text;
    }
    return QString::number(double(value), 'g', 9);
}

int colourComponent(const QString &field)
{
    return qBound(0, field.toInt(), 255);
}

const int kPickDistance = 8;    // pixels between a press and a marker that still hit it
const int kBarTopInset = 1;
const int kBarBottomInset = 12; // room for the marker rings under the bar

} // namespace

WidgetGradientEditor::WidgetGradientEditor(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    setToolTip(QString());
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(qMax(0, (parent ? parent->width() : 0) - 10), 25);
    setMouseTracking(true);
    slotReset(0);
}

QMap<float, QColor> WidgetGradientEditor::getGradient() const
{
    QMap<float, QColor> gradient;
    for (const GradientMarker &marker : markerList)
        gradient.insert(marker.position, marker.color);
    return gradient;
}

void WidgetGradientEditor::setGradient(QMap<float, QColor> map)
{
    if (map.size() <= 1) {
        slotReset(0);
        return;
    }
    markerList.clear();
    for (auto entry = map.cbegin(); entry != map.cend(); ++entry)
        markerList.append(GradientMarker{false, entry.key(), entry.value()});
    update();
}

void WidgetGradientEditor::removeMarker(int index)
{
    if (markerList.size() <= 2 || index < 0 || index >= markerList.size())
        return;
    markerList.remove(index);
    update();
    emit gradientChanged(getGradient());
}

QString WidgetGradientEditor::gradientToString(QMap<float, QColor> gradient)
{
    QString text;
    for (auto entry = gradient.cbegin(); entry != gradient.cend(); ++entry) {
        const QColor &c = entry.value();
        text += QString(":%1,%2,%3,%4")
                    .arg(shortestFloatText(entry.key()))
                    .arg(c.red())
                    .arg(c.green())
                    .arg(c.blue());
    }
    return text;
}

QMap<float, QColor> WidgetGradientEditor::stringToGradient(QString text)
{
    QMap<float, QColor> gradient;
    for (const QString &part : text.split(':', Qt::SkipEmptyParts)) {
        const QStringList fields = part.split(',');
        if (fields.size() != 4)
            continue;
        gradient.insert(fields[0].toFloat(), QColor(colourComponent(fields[1]),
                                                    colourComponent(fields[2]),
                                                    colourComponent(fields[3])));
    }
    return gradient;
}

void WidgetGradientEditor::slotReset(const Preset &preset)
{
    dragging = false;
    moved = false;
    markerList.clear();
    const bool wereBlocked = blockSignals(true);
    for (const PresetStop &stop : presetStops(preset))
        slotAddMarker(QColor(stop.r, stop.g, stop.b), stop.position, false);
    blockSignals(wereBlocked);
    emit gradientChanged(getGradient());
    update();
}

void WidgetGradientEditor::slotAddMarker(const QColor &color, float position, bool isMovedByMouse)
{
    if (isMovedByMouse) {
        dragging = true;
        for (GradientMarker &marker : markerList)
            marker.isMovedByMouse = false;
    }
    markerList.append(GradientMarker{isMovedByMouse, position, color});
    emit gradientChanged(getGradient());
}

void WidgetGradientEditor::onfocusMarkerPositionChanged(float position)
{
    for (GradientMarker &marker : markerList) {
        if (qAbs(marker.position - focusMarker.position) >= 1e-5f)
            continue;
        marker.position = position;
        focusMarker = marker;
        emit focusMarkerChanged(position, marker.color);
        emit gradientChanged(getGradient());
        update();
        return;
    }
}

QRect WidgetGradientEditor::barRect()
{
    if (cachedBar.size().isNull() || cachedBar.isEmpty())
        cachedBar = rect();
    return cachedBar;
}

double WidgetGradientEditor::markerX(const GradientMarker &marker)
{
    const QRect bar = barRect();
    return bar.left() + bar.width() * double(marker.position);
}

void WidgetGradientEditor::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintBar(painter);
    paintMarkers(painter);
}

void WidgetGradientEditor::paintBar(QPainter &painter)
{
    const QRect bar = barRect().adjusted(0, kBarTopInset, 0, -kBarBottomInset);
    QLinearGradient gradient(bar.left(), bar.center().y(), bar.right(), bar.center().y());
    for (const GradientMarker &marker : markerList) {
        if (marker.position >= 0.0f && marker.position <= 1.0f)
            gradient.setColorAt(marker.position, marker.color);
    }
    painter.fillRect(bar, gradient);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(bar.topLeft(), bar.bottomLeft());
    painter.drawLine(bar.topRight(), bar.bottomRight());
}

void WidgetGradientEditor::paintMarkers(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const int h = height();
    for (const GradientMarker &marker : markerList) {
        const int x = int(markerX(marker));
        painter.setPen(QPen(marker.color, 3));
        painter.drawEllipse(x - 2, h - 7, 4, 4);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawEllipse(x - 4, h - 9, 8, 8);
    }
}

void WidgetGradientEditor::resizeEvent(QResizeEvent *event)
{
    cachedBar = QRect();
    QWidget::resizeEvent(event);
}

void WidgetGradientEditor::mousePressEvent(QMouseEvent *event)
{
    lastX = event->pos().x();
    bool hit = false;
    for (int i = 0; i < markerList.size(); ++i) {
        if (qAbs(lastX - markerX(markerList[i])) > kPickDistance)
            continue;
        hit = true;
        if (event->button() != Qt::LeftButton) {
            removeMarker(i);
            update();
            emit gradientChanged(getGradient());
            break;
        }
        pressMarker(i);
    }
    // A press beside every marker leaves none marked, so that a double click there adds a marker
    // instead of recolouring the marker pressed earlier.
    if (!hit)
        markOnlyMovedByMouse(-1);
    update();
}

void WidgetGradientEditor::pressMarker(int index)
{
    dragging = true;
    markOnlyMovedByMouse(index);
    focusMarker = markerList[index];
    emit focusMarkerChanged(focusMarker.position, focusMarker.color);
}

void WidgetGradientEditor::markOnlyMovedByMouse(int index)
{
    for (int i = 0; i < markerList.size(); ++i)
        markerList[i].isMovedByMouse = i == index;
}

int WidgetGradientEditor::lastMovedByMouse() const
{
    for (int i = markerList.size() - 1; i >= 0; --i) {
        if (markerList[i].isMovedByMouse)
            return i;
    }
    return -1;
}

void WidgetGradientEditor::mouseReleaseEvent(QMouseEvent *)
{
    dragging = false;
}

void WidgetGradientEditor::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging)
        return;
    for (GradientMarker &marker : markerList) {
        if (marker.isMovedByMouse) {
            dragMarker(marker, event->pos().x());
            break;
        }
    }
    lastX = event->pos().x();
    update();
}

// A marker at 1.0 stays; a step that would leave [0, 1] or move the marker away from the
// pointer is refused.
void WidgetGradientEditor::dragMarker(GradientMarker &marker, int pointerX)
{
    moved = true;
    if (marker.position == 1.0f)
        return;
    const double d = (pointerX - lastX) / double(barRect().width());
    const double x = markerX(marker);
    const double target = marker.position + d;
    if (target < 0.0 || target > 1.0 || (d > 0 && pointerX < x) || (d < 0 && pointerX > x))
        return;
    marker.position = float(target);
    // The dragged marker stays the focused one, so that the current value moves it afterwards.
    focusMarker = marker;
    emit focusMarkerChanged(marker.position, marker.color);
    emit gradientChanged(getGradient());
}

void WidgetGradientEditor::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || dragging)
        return;
    const int pressed = lastMovedByMouse();
    if (pressed >= 0)
        recolourMarker(pressed);
    else
        addMarkerAt(event->pos().x());
    update();
}

void WidgetGradientEditor::recolourMarker(int index)
{
    const QColor colour = QColorDialog::getColor(markerList[index].color, this, "Select step color");
    if (!colour.isValid())
        return;
    markerList[index].color = colour;
    update();
    emit gradientChanged(getGradient());
}

void WidgetGradientEditor::addMarkerAt(int pointerX)
{
    const QRect bar = barRect();
    const double x = (pointerX - bar.left()) / double(bar.width() - 5);
    if (x < 0.0 || x > 1.0)
        return;
    QRandomGenerator *random = QRandomGenerator::global();
    const QColor initial(random->bounded(256), random->bounded(256), random->bounded(256));
    const QColor colour = QColorDialog::getColor(initial, this, "Select step color");
    if (colour.isValid())
        slotAddMarker(colour, float(x), false);
}
