#pragma once
// A horizontal colour bar with draggable markers, each a position in [0, 1] and a colour. A left
// press on a marker focuses it and starts a drag; a press with another button removes it (at
// least two markers stay); a double click on a marker recolours it, elsewhere on the bar it adds
// one. The gradient crosses the library boundary as QMap<float, QColor> (position -> colour).

#include <QMap>
#include <QVector>
#include <QWidget>

#include "GradientMarker.h"

class HUEBAR_EXPORT WidgetGradientEditor : public QWidget {
    Q_OBJECT
public:
    // 1: red, yellow, green, cyan, blue from 1.0 down to 0.0; 2: five stops through orange and
    // dark green; 3: two stops; any other value: no markers.
    using Preset = int;

    explicit WidgetGradientEditor(QWidget *parent = nullptr);

    // Every marker's position mapped to its colour, in marker order (a later marker with an equal
    // position replaces the colour of an earlier one).
    QMap<float, QColor> getGradient() const;
    // More than one entry: the markers become the map's entries in ascending position, without a
    // signal. Otherwise the editor is reset to no markers (slotReset(0)).
    void setGradient(QMap<float, QColor> map);
    // Removes the marker at index, unless two or fewer remain or index is out of range.
    void removeMarker(int index);
    const QVector<GradientMarker> &markers() const { return markerList; }

    // The text form ":p,r,g,b:p,r,g,b..." in ascending position; positions in the shortest "g"
    // form that reads back to the same float.
    static QString gradientToString(QMap<float, QColor> gradient);
    // Reads the text form; parts without exactly four fields are skipped; a leading ":" may be
    // missing; colour components are held to 0..255.
    static QMap<float, QColor> stringToGradient(QString text);

signals:
    void gradientChanged(QMap<float, QColor> gradient);
    void focusMarkerChanged(float position, QColor color);

public slots:
    void slotReset(const Preset &preset);
    void slotAddMarker(const QColor &color, float position, bool isMovedByMouse);
    // Moves the focused marker (the one at the focus marker's position) to position.
    void onfocusMarkerPositionChanged(float position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QRect barRect();
    double markerX(const GradientMarker &marker);
    void paintBar(class QPainter &painter);
    void paintMarkers(class QPainter &painter);
    void pressMarker(int index);
    void markOnlyMovedByMouse(int index);
    int lastMovedByMouse() const;
    void dragMarker(GradientMarker &marker, int pointerX);
    void recolourMarker(int index);
    void addMarkerAt(int pointerX);

    QVector<GradientMarker> markerList;
    bool dragging = false;
    bool moved = false;
    GradientMarker focusMarker;
    int lastX = 0;
    QRect cachedBar;
};
