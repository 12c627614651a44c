#pragma once
// The number of the first EH4 point of a line export. Points are numbered upward from it; the
// export runs only when the operator confirmed.

#include <QDialog>

class QLineEdit;

class Dialog_ExprotEH4 : public QDialog {
    Q_OBJECT
public:
    explicit Dialog_ExprotEH4(QWidget *parent = nullptr);

    // The number OK read from the edit (text that is not a number gives 0); 1 before any OK.
    int startNumber() const { return start; }
    // True once OK was pressed, false again after Cancel.
    bool isAccepted() const { return confirmed; }

public slots:
    void reject() override;

private slots:
    void on_pushButton_OK_clicked();
    void on_pushButton_Cancel_clicked();

private:
    QLineEdit *startEdit = nullptr;
    int start = 1;
    bool confirmed = false;
};
