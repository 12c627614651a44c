// Draws the desktop program's icons, each at 32 and 16 px, into app/ui/Res/ and app/ui/Res/16/.
// Every drawing is laid out on a 32-unit grid and painted directly at the target size with lines
// snapped to pixel centres, so the 16 px images stay crisp. One style throughout: soft vertical
// gradients, a one-pixel darker outline, a small palette.
// Built and run by scripts/draw-icons.sh.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

namespace {

const QColor kBlue(47, 109, 181), kGreen(58, 150, 72), kOrange(230, 140, 30), kRed(200, 64, 58);
const QColor kPaper(250, 250, 246), kInk(96, 102, 112), kYellow(242, 196, 80);

class Canvas {
public:
    Canvas(QPainter &p, int size) : p(p), s(size / 32.0) {}
    double u(double units) const { return units * s; }
    // A point on the grid, snapped to the centre of its pixel (for outlines).
    QPointF at(double x, double y) const { return {std::floor(x * s) + 0.5, std::floor(y * s) + 0.5}; }
    QRectF box(double x, double y, double w, double h) const { return QRectF(at(x, y), at(x + w, y + h)); }
    QPen outline(const QColor &c, double width = 1.0) const
    {
        QPen pen(c, std::max(1.0, std::round(width * s * 1.0)));
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        return pen;
    }
    QLinearGradient shade(const QColor &c, const QRectF &r) const
    {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, c.lighter(125));
        g.setColorAt(1, c);
        return g;
    }
    void fillShape(const QPainterPath &path, const QColor &c)
    {
        p.setPen(outline(c.darker(150)));
        p.setBrush(shade(c, path.boundingRect()));
        p.drawPath(path);
    }
    void roundBox(double x, double y, double w, double h, double r, const QColor &c)
    {
        QPainterPath path;
        path.addRoundedRect(box(x, y, w, h), u(r), u(r));
        fillShape(path, c);
    }
    QPainter &p;
    double s;
};

void document(Canvas &c, double x = 6, double y = 2, double w = 20, double h = 28)
{
    QPainterPath sheet;
    const double fold = 7;
    sheet.moveTo(c.at(x, y));
    sheet.lineTo(c.at(x + w - fold, y));
    sheet.lineTo(c.at(x + w, y + fold));
    sheet.lineTo(c.at(x + w, y + h));
    sheet.lineTo(c.at(x, y + h));
    sheet.closeSubpath();
    c.p.setPen(c.outline(kInk));
    c.p.setBrush(kPaper);
    c.p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(c.at(x + w - fold, y));
    corner.lineTo(c.at(x + w - fold, y + fold));
    corner.lineTo(c.at(x + w, y + fold));
    c.p.setBrush(QColor(220, 222, 226));
    c.p.drawPath(corner);
    if (c.s < 1)
        return;
    c.p.setPen(c.outline(QColor(170, 176, 186)));
    for (double line = y + 12; line < y + h - 4; line += 4)
        c.p.drawLine(c.at(x + 4, line), c.at(x + w - 4, line));
}

// A round badge at the lower right, drawn by mark inside it.
void badge(Canvas &c, const QColor &colour, const std::function<void(Canvas &)> &mark)
{
    QPainterPath disc;
    disc.addEllipse(c.box(17, 17, 14, 14));
    c.fillShape(disc, colour);
    c.p.setPen(c.outline(Qt::white, 2.5));
    mark(c);
}

void plusMark(Canvas &c)
{
    c.p.drawLine(c.at(24, 20.5), c.at(24, 27.5));
    c.p.drawLine(c.at(20.5, 24), c.at(27.5, 24));
}

void crossMark(Canvas &c)
{
    c.p.drawLine(c.at(21, 21), c.at(27, 27));
    c.p.drawLine(c.at(27, 21), c.at(21, 27));
}

void arrow(Canvas &c, QPointF from, QPointF to, const QColor &colour, double width = 3.0)
{
    const QLineF line(c.at(from.x(), from.y()), c.at(to.x(), to.y()));
    const double head = c.u(7);
    QLineF back(line.p2(), line.p1());
    back.setLength(head * 0.8);
    QLineF left = back, right = back;
    left.setAngle(back.angle() + 35);
    right.setAngle(back.angle() - 35);
    left.setLength(head);
    right.setLength(head);
    QPainterPath tip;
    tip.moveTo(line.p2());
    tip.lineTo(left.p2());
    tip.lineTo(right.p2());
    tip.closeSubpath();
    c.p.setPen(c.outline(colour.darker(130), width));
    c.p.drawLine(line.p1(), back.p2());
    c.p.setPen(c.outline(colour.darker(140)));
    c.p.setBrush(colour);
    c.p.drawPath(tip);
}

void folder(Canvas &c)
{
    QPainterPath back;
    back.moveTo(c.at(2, 7));
    back.lineTo(c.at(11, 7));
    back.lineTo(c.at(14, 10));
    back.lineTo(c.at(28, 10));
    back.lineTo(c.at(28, 27));
    back.lineTo(c.at(2, 27));
    back.closeSubpath();
    c.fillShape(back, kYellow.darker(112));
    document(c, 7, 4, 17, 18);
    QPainterPath front;
    front.moveTo(c.at(2, 27));
    front.lineTo(c.at(7, 14));
    front.lineTo(c.at(31, 14));
    front.lineTo(c.at(27, 27));
    front.closeSubpath();
    c.fillShape(front, kYellow);
}

void floppy(Canvas &c)
{
    c.roundBox(3, 3, 26, 26, 2.5, kBlue);
    c.p.setPen(c.outline(kInk));
    c.p.setBrush(kPaper);
    c.p.drawRect(c.box(8, 3, 16, 10));
    c.p.setBrush(QColor(70, 76, 86));
    c.p.drawRect(c.box(19, 5, 3, 6));
    c.p.setBrush(QColor(225, 230, 238));
    c.p.drawRect(c.box(7, 17, 18, 12));
}

void curveIcon(Canvas &c)
{
    c.p.setPen(c.outline(kInk));
    c.p.setBrush(Qt::white);
    c.p.drawRect(c.box(2, 3, 28, 26));
    c.p.setPen(c.outline(QColor(120, 126, 136)));
    c.p.drawLine(c.at(5, 26), c.at(28, 26));
    c.p.drawLine(c.at(5, 6), c.at(5, 26));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(kRed);
    const double dots[][2] = {{8, 12}, {11, 18}, {14, 11}, {17, 19}, {20, 13}, {23, 21}, {26, 16}};
    for (const auto &d : dots)
        c.p.drawEllipse(c.at(d[0], d[1]), c.u(1.6), c.u(1.6));
    QPainterPath smooth;
    smooth.moveTo(c.at(6, 14));
    smooth.cubicTo(c.at(13, 13), c.at(17, 17), c.at(28, 18));
    c.p.setPen(c.outline(kBlue, 2.5));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawPath(smooth);
}

void colourScale(Canvas &c)
{
    const QRectF r = c.box(3, 3, 26, 26);
    QLinearGradient rainbow(r.bottomLeft(), r.topRight());
    rainbow.setColorAt(0.0, QColor(40, 70, 200));
    rainbow.setColorAt(0.35, QColor(40, 190, 210));
    rainbow.setColorAt(0.55, QColor(120, 200, 60));
    rainbow.setColorAt(0.75, QColor(250, 210, 40));
    rainbow.setColorAt(1.0, QColor(220, 50, 40));
    c.p.setPen(c.outline(kInk));
    c.p.setBrush(rainbow);
    c.p.drawRoundedRect(r, c.u(3), c.u(3));
    c.p.setPen(c.outline(QColor(255, 255, 255, 210)));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawEllipse(c.at(20, 12), c.u(4), c.u(3));
    c.p.drawEllipse(c.at(20, 12), c.u(8.5), c.u(6.5));
    if (c.s >= 1)
        c.p.drawEllipse(c.at(20, 12), c.u(13), c.u(10));
}

void cube(Canvas &c)
{
    const QPointF top(16, 3), left(4, 9), right(28, 9), centre(16, 15), bottom(16, 29),
        leftLow(4, 23), rightLow(28, 23);
    auto face = [&c](std::initializer_list<QPointF> corners, const QColor &colour) {
        QPainterPath path;
        bool first = true;
        for (const QPointF &p : corners) {
            first ? path.moveTo(c.at(p.x(), p.y())) : path.lineTo(c.at(p.x(), p.y()));
            first = false;
        }
        path.closeSubpath();
        c.p.setPen(c.outline(kBlue.darker(170)));
        c.p.setBrush(colour);
        c.p.drawPath(path);
    };
    face({top, right, centre, left}, kBlue.lighter(150));
    face({left, centre, bottom, leftLow}, kBlue);
    face({centre, right, rightLow, bottom}, kBlue.darker(125));
}

void helpIcon(Canvas &c)
{
    QPainterPath disc;
    disc.addEllipse(c.box(2, 2, 28, 28));
    c.fillShape(disc, kBlue);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(int(c.u(22)));
    c.p.setFont(font);
    c.p.setPen(Qt::white);
    c.p.drawText(c.box(2, 3, 28, 28), Qt::AlignCenter, QStringLiteral("?"));
}

void exitIcon(Canvas &c)
{
    QPainterPath disc;
    disc.addEllipse(c.box(2, 2, 28, 28));
    c.fillShape(disc, kRed);
    c.p.setPen(c.outline(Qt::white, 3));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawArc(c.box(9, 9, 14, 14), 125 * 16, 290 * 16);
    c.p.drawLine(c.at(16, 7), c.at(16, 16));
}

void magnet(Canvas &c)
{
    QPainterPath shoe;
    shoe.moveTo(c.at(4, 4));
    shoe.lineTo(c.at(12, 4));
    shoe.lineTo(c.at(12, 15));
    shoe.arcTo(QRectF(c.at(12, 11), c.at(20, 19)), 180, 180);
    shoe.lineTo(c.at(20, 4));
    shoe.lineTo(c.at(28, 4));
    shoe.lineTo(c.at(28, 15));
    shoe.arcTo(QRectF(c.at(4, -1), c.at(28, 27)), 0, -180);
    shoe.closeSubpath();
    c.fillShape(shoe, kRed);
    c.p.setPen(c.outline(kInk));
    c.p.setBrush(QColor(215, 218, 224));
    c.p.drawRect(c.box(4, 4, 8, 5));
    c.p.drawRect(c.box(20, 4, 8, 5));
    arrow(c, {21, 29}, {31, 29}, kGreen, 2.0);
    arrow(c, {11, 29}, {1, 29}, kGreen, 2.0);
}

void swapCurves(Canvas &c)
{
    c.p.setPen(c.outline(kInk));
    c.p.setBrush(Qt::white);
    c.p.drawRect(c.box(2, 3, 28, 26));
    arrow(c, {6, 11}, {27, 11}, kRed);
    arrow(c, {26, 21}, {5, 21}, kBlue);
}

void logo(Canvas &c)
{
    QPainterPath disc;
    disc.addEllipse(c.box(1, 1, 30, 30));
    c.p.setPen(c.outline(QColor(30, 70, 130)));
    QLinearGradient g(c.at(0, 0), c.at(0, 32));
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(214, 228, 245));
    c.p.setBrush(g);
    c.p.drawPath(disc);
    QPainterPath wave;
    wave.moveTo(c.at(5, 20));
    wave.cubicTo(c.at(10, 6), c.at(14, 6), c.at(17, 15));
    wave.cubicTo(c.at(20, 24), c.at(24, 24), c.at(28, 11));
    c.p.setPen(c.outline(kBlue, 3));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawPath(wave);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(kRed);
    c.p.drawEllipse(c.at(10, 12), c.u(2.3), c.u(2.3));
    c.p.drawEllipse(c.at(22, 21), c.u(2.3), c.u(2.3));
}

// A survey line: stations along a profile.
void surveyLine(Canvas &c)
{
    c.p.setPen(c.outline(kInk, 2));
    c.p.drawLine(c.at(3, 22), c.at(29, 10));
    for (double x : {5.0, 16.0, 27.0}) {
        QPainterPath mark;
        const double y = 22 - (x - 3) * 12 / 26;
        mark.addEllipse(QPointF(c.at(x, y)), c.u(3.5), c.u(3.5));
        c.fillShape(mark, kBlue);
    }
}

// A station: a triangle on the ground.
void station(Canvas &c)
{
    QPainterPath mark;
    mark.moveTo(c.at(16, 4));
    mark.lineTo(c.at(28, 26));
    mark.lineTo(c.at(4, 26));
    mark.closeSubpath();
    c.fillShape(mark, kOrange);
}

// A recording: a trace of samples.
void recording(Canvas &c)
{
    c.p.setPen(c.outline(kInk));
    c.p.setBrush(Qt::white);
    c.p.drawRect(c.box(2, 5, 28, 22));
    QPainterPath trace;
    const double ys[] = {16, 10, 20, 8, 22, 12, 19, 14, 16};
    for (int i = 0; i < 9; ++i) {
        const QPointF p = c.at(4 + i * 3, ys[i]);
        i == 0 ? trace.moveTo(p) : trace.lineTo(p);
    }
    c.p.setPen(c.outline(kGreen.darker(110), 1.6));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawPath(trace);
}

struct Icon {
    QString name;
    std::function<void(Canvas &)> draw;
};

QList<Icon> icons()
{
    auto documentWithBadge = [](QColor colour, std::function<void(Canvas &)> mark) {
        return [colour, mark](Canvas &c) { document(c, 3, 2, 19, 27); badge(c, colour, mark); };
    };
    return {
        {"OpenFile.png", folder},
        {"file_32px.ico", folder},
        {"file_save.ico", floppy},
        {"Save_32px.png", floppy},
        {"add_128px.png", [](Canvas &c) { document(c, 2, 1, 17, 23); document(c, 8, 6, 17, 23); badge(c, kGreen, plusMark); }},
        {"export.png", [](Canvas &c) { document(c, 3, 2, 19, 27); arrow(c, {12, 20}, {31, 20}, kGreen, 4); }},
        {"CloseFile.png", documentWithBadge(kRed, crossMark)},
        {"Close_up_32px.png", documentWithBadge(kRed, crossMark)},
        {"new_project.png", documentWithBadge(kGreen, plusMark)},
        {"ooopic_1464924421.png", magnet},
        {"swap_impedance.png", swapCurves},
        {"Chart_Curve_24px.png", curveIcon},
        {"contours.png", colourScale},
        {"pq3DView16.png", cube},
        {"help_browser_32px.png", helpIcon},
        {"application_exit_4_32px.png", exitIcon},
        {"logo-02.png", logo},
        {"tree_line.png", surveyLine},
        {"tree_station.png", station},
        {"tree_recording.png", recording},
    };
}

bool drawAll(const QString &root)
{
    for (int size : {32, 16}) {
        const QString folder = size == 32 ? root : root + QStringLiteral("/16");
        QDir().mkpath(folder);
        for (const Icon &icon : icons()) {
            QImage image(size, size, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            Canvas canvas(painter, size);
            icon.draw(canvas);
            painter.end();
            if (!image.save(folder + QLatin1Char('/') + icon.name, "PNG"))
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("app/ui/Res");
    return drawAll(root) ? 0 : 1;
}
