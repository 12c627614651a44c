#pragma once
// The colour-scale dialog ("色谱调整"): the colour scales of the "ColorScales" folder in a combo
// box, the gradient editor, the focused marker's value as a resistivity ("当前值") and the range
// the scale spans ("最小值", "最大值"). OK sends the edited colour map, moved onto a changed range,
// to the section view.

#include <QColor>
#include <QDialog>
#include <QList>
#include <QMap>

class QComboBox;
class QIODevice;
class QLineEdit;
class QPushButton;
class WidgetGradientEditor;

class Dialog_Huebar : public QDialog {
    Q_OBJECT
public:
    explicit Dialog_Huebar(QWidget *parent = nullptr);

    // Reads a colour-scale file: the first line is skipped; every further line gives percent
    // (0..100), red, green, blue; a line with fewer than four fields ends the scale. Positions are
    // percent / 100; a repeated position keeps the last colour.
    static QMap<float, QColor> readColorScale(QIODevice &file);
    // Moves every entry (p, colour) of gradient from the range [min, max] onto [newMin, newMax]:
    // p -> p (newMin + p (newMax - newMin)) / (min + p (max - min)). An entry whose old value is 0
    // keeps its position.
    static QMap<float, QColor> remapGradient(const QMap<float, QColor> &gradient, float min,
                                             float max, float newMin, float newMax);
    // The scale painted as a 200 x 20 picture, as the combo box shows it.
    static QPixmap scalePicture(const QMap<float, QColor> &scale);

    WidgetGradientEditor *editor() const { return gradientEditor; }
    const QList<QMap<float, QColor>> &colorScales() const { return scales; }

signals:
    void signal_HuebarChanged(QMap<float, QColor> gradient);
    void signalfocusMarkerPositionChanged(float position);

public slots:
    void onStaticResistivity(float min, float max);
    void on_pushButton_ok_clicked();
    void on_pushButton_Cancle_clicked();
    void on_comboBox_currentIndexChanged(int index);
    void on_focusMarkerChanged(float position, QColor color);
    void on_pushButton_clicked();

private:
    void buildControls();
    QLayout *rangeRow();
    QLayout *buttonRow();
    void loadColorScales();
    void addColorScale(const QString &name, const QMap<float, QColor> &scale);
    void connectControls();
    void showValue(QLineEdit *field, float value);
    bool rangeIsEmpty() const;

    WidgetGradientEditor *gradientEditor = nullptr;
    QComboBox *comboBox = nullptr;
    QLineEdit *lineEdit_Current = nullptr;
    QPushButton *pushButton = nullptr;
    QLineEdit *lineEdit_Min = nullptr;
    QLineEdit *lineEdit_Max = nullptr;
    QPushButton *pushButton_ok = nullptr;
    QPushButton *pushButton_Cancle = nullptr;
    QList<QMap<float, QColor>> scales;
    float min = 0.0f;
    float max = 0.0f;
};
