#include "widgets/EditorWidgets.h"

#include "widgets/TitleStripDialog.h"

#include <QBoxLayout>
#include <QDialog>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPushButton>

MouseLabel::MouseLabel(const QString &text, QWidget *parent) : CommandLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setHasSecondCommand(true);
}

void MouseLabel::keyTriggered(bool second)
{
    if (second)
        emit rightClicked();
    else
        emit leftClicked();
}

void MouseLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit leftClicked();
    else if (event->button() == Qt::RightButton)
        emit rightClicked();
    else
        QLabel::mousePressEvent(event);
}

void MouseLabel::enterEvent(QEnterEvent *event)
{
    if (m_hover)
        setTextColour(Qt::white);
    QLabel::enterEvent(event);
}

void MouseLabel::leaveEvent(QEvent *event)
{
    if (m_hover)
        setTextColour(Qt::black);
    QLabel::leaveEvent(event);
}

void MouseLabel::setTextColour(const QColor &colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
}

int RunModal(QDialog &dialog)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    bool finished = false;
    const QMetaObject::Connection connection = QObject::connect(&dialog, &QDialog::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    dialog.show();
    if (!finished)
        loop.exec(QEventLoop::DialogExec);
    QObject::disconnect(connection);
    return dialog.result();
}

QLabel *AddStateLabel(TitleStripDialog &dialog)
{
    auto *label = new QLabel(dialog.strip());
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    // Presses must reach the strip, which drags the window.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (auto *row = qobject_cast<QBoxLayout *>(dialog.strip()->layout()))
        row->insertWidget(1, label);
    return label;
}

QString ScreenText(const QString &text)
{
    QString screen = text;
    screen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    screen.replace(u'\r', u'\n');
    return screen;
}

WizardButtons MakeWizardButtons(QWidget *parent)
{
    WizardButtons b{new QPushButton(QStringLiteral("<< Преден"), parent),
                    new QPushButton(QStringLiteral("Следващ >>"), parent),
                    new QPushButton(QStringLiteral("Отказ"), parent), new QHBoxLayout};
    b.next->setDefault(true);
    b.row->addStretch(1);
    b.row->addWidget(b.back);
    b.row->addWidget(b.next);
    b.row->addWidget(b.cancel);
    return b;
}
