#include "Dialog_Huebar.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextStream>
#include <QVBoxLayout>

#include "DialogLayout.h"
#include "WidgetGradientEditor.h"

namespace {
const QSize kScalePictureSize(200, 20);
const int kEditorMaxHeight = 35;
const float kUnchangedRange = 0.1f;  // range fields within this of the range leave the map as is
const int kInitialWidth = 480;       // the editor's minimum width follows the dialog's width
} // namespace

Dialog_Huebar::Dialog_Huebar(QWidget *parent) : QDialog(parent)
{
    setWindowTitle("色谱调整");
    resize(kInitialWidth, height());
    buildControls();
    gradientEditor->slotReset(1);
    connectControls();
    loadColorScales();
}

void Dialog_Huebar::buildControls()
{
    comboBox = new QComboBox(this);
    comboBox->setObjectName("comboBox");
    gradientEditor = new WidgetGradientEditor(this);
    gradientEditor->setMaximumHeight(kEditorMaxHeight);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(comboBox);
    layout->addWidget(gradientEditor);
    layout->addLayout(rangeRow());
    layout->addStretch();
    layout->addLayout(buttonRow());
}

QLayout *Dialog_Huebar::rangeRow()
{
    lineEdit_Current = DialogLayout::namedEdit("lineEdit_Current", this);
    pushButton = DialogLayout::namedButton("应用", "pushButton", this);
    lineEdit_Min = DialogLayout::namedEdit("lineEdit_Min", this);
    lineEdit_Max = DialogLayout::namedEdit("lineEdit_Max", this);
    auto *current = new QHBoxLayout;
    current->addWidget(lineEdit_Current, 1);
    current->addWidget(pushButton);
    auto *form = new QFormLayout;
    form->addRow(DialogLayout::label("当前值", lineEdit_Current), current);
    form->addRow(DialogLayout::label("最小值", lineEdit_Min), lineEdit_Min);
    form->addRow(DialogLayout::label("最大值", lineEdit_Max), lineEdit_Max);
    return form;
}

QLayout *Dialog_Huebar::buttonRow()
{
    pushButton_ok = DialogLayout::namedButton("确定", "pushButton_ok", this);
    pushButton_ok->setDefault(true);
    pushButton_Cancle = DialogLayout::namedButton("取消", "pushButton_Cancle", this);
    return DialogLayout::buttonRow({pushButton_ok, pushButton_Cancle});
}

// The scales of "ColorScales" beside the program's working folder, in listing order; a file that
// cannot be opened is left out. The first entry becomes the combo's current one, so the editor
// shows the first scale.
void Dialog_Huebar::loadColorScales()
{
    const QDir folder("ColorScales");
    comboBox->setIconSize(kScalePictureSize);
    if (!folder.exists())
        return;
    const QStringList names =
        folder.entryList({"*.clr"}, QDir::Files | QDir::NoSymLinks);
    for (const QString &name : names) {
        QFile file("ColorScales/" + name);
        if (file.open(QIODevice::ReadOnly | QIODevice::Text))
            addColorScale(name, readColorScale(file));
    }
}

void Dialog_Huebar::addColorScale(const QString &name, const QMap<float, QColor> &scale)
{
    scales.append(scale);
    comboBox->addItem(QIcon(scalePicture(scale)), name);
}

void Dialog_Huebar::connectControls()
{
    connect(comboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Dialog_Huebar::on_comboBox_currentIndexChanged);
    connect(pushButton, &QPushButton::clicked, this, &Dialog_Huebar::on_pushButton_clicked);
    connect(pushButton_ok, &QPushButton::clicked, this, &Dialog_Huebar::on_pushButton_ok_clicked);
    connect(pushButton_Cancle, &QPushButton::clicked, this,
            &Dialog_Huebar::on_pushButton_Cancle_clicked);
    connect(gradientEditor, &WidgetGradientEditor::focusMarkerChanged, this,
            &Dialog_Huebar::on_focusMarkerChanged);
    connect(this, &Dialog_Huebar::signalfocusMarkerPositionChanged, gradientEditor,
            &WidgetGradientEditor::onfocusMarkerPositionChanged);
}

QMap<float, QColor> Dialog_Huebar::readColorScale(QIODevice &file)
{
    static const QRegularExpression separators("[,*;\\t|\\s+]");
    QTextStream in(&file);
    in.readLine();
    QMap<float, QColor> scale;
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(separators, Qt::SkipEmptyParts);
        if (fields.size() < 4)
            break;
        scale.insert(fields[0].toFloat() / 100.0f,
                     QColor(qBound(0, fields[1].toInt(), 255), qBound(0, fields[2].toInt(), 255),
                            qBound(0, fields[3].toInt(), 255)));
    }
    return scale;
}

QMap<float, QColor> Dialog_Huebar::remapGradient(const QMap<float, QColor> &gradient, float min,
                                                 float max, float newMin, float newMax)
{
    QMap<float, QColor> moved;
    for (auto entry = gradient.cbegin(); entry != gradient.cend(); ++entry) {
        const float p = entry.key();
        const float oldValue = min + p * (max - min);
        const float newValue = newMin + p * (newMax - newMin);
        moved.insert(oldValue == 0.0f ? p : p * newValue / oldValue, entry.value());
    }
    return moved;
}

QPixmap Dialog_Huebar::scalePicture(const QMap<float, QColor> &scale)
{
    QPixmap picture(kScalePictureSize);
    picture.fill(Qt::transparent);
    QLinearGradient gradient(0, 0, kScalePictureSize.width(), kScalePictureSize.height());
    for (auto entry = scale.cbegin(); entry != scale.cend(); ++entry) {
        if (entry.key() >= 0.0f && entry.key() <= 1.0f)
            gradient.setColorAt(entry.key(), entry.value());
    }
    QPainter painter(&picture);
    painter.fillRect(picture.rect(), gradient);
    return picture;
}

void Dialog_Huebar::onStaticResistivity(float minimum, float maximum)
{
    min = minimum;
    max = maximum;
    showValue(lineEdit_Current, min);
    showValue(lineEdit_Min, min);
    showValue(lineEdit_Max, max);
}

void Dialog_Huebar::showValue(QLineEdit *field, float value)
{
    field->setText(QString::number(value, 'g', 6));
}

bool Dialog_Huebar::rangeIsEmpty() const
{
    return max == min;
}

void Dialog_Huebar::on_comboBox_currentIndexChanged(int index)
{
    if (index < 0 || index >= scales.size())
        return;
    gradientEditor->setGradient(scales[index]);
    gradientEditor->repaint();
}

void Dialog_Huebar::on_focusMarkerChanged(float position, QColor)
{
    showValue(lineEdit_Current, min + (max - min) * position);
}

// An empty range has no position for a value: the marker stays.
void Dialog_Huebar::on_pushButton_clicked()
{
    if (rangeIsEmpty())
        return;
    const float value = lineEdit_Current->text().toFloat();
    emit signalfocusMarkerPositionChanged((value - min) / (max - min));
}

void Dialog_Huebar::on_pushButton_ok_clicked()
{
    const float newMin = lineEdit_Min->text().toFloat();
    const float newMax = lineEdit_Max->text().toFloat();
    const bool unchanged =
        qAbs(newMin - min) < kUnchangedRange && qAbs(newMax - max) < kUnchangedRange;
    const QMap<float, QColor> gradient = gradientEditor->getGradient();
    if (unchanged || rangeIsEmpty())
        emit signal_HuebarChanged(gradient);
    else
        emit signal_HuebarChanged(remapGradient(gradient, min, max, newMin, newMax));
    accept();
}

void Dialog_Huebar::on_pushButton_Cancle_clicked()
{
    reject();
}
