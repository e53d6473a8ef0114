#pragma once
// Shown by the long reports while they compute; stays above the program's other windows.
#include <QWidget>

class QLabel;
class QProgressBar;

class TProgressForm : public QWidget {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget *parent = nullptr);

    QString message() const;
    void setMessage(const QString &text);
    QString heading() const;

    void setRange(int minimum, int maximum);
    void setValue(int value);
    int value() const;
    QProgressBar *progressBar() const { return m_bar; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_heading;
    QLabel *m_message;
    QProgressBar *m_bar;
};
