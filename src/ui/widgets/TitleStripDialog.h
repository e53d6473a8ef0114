#pragma once
// Dialogs of the program have no system caption: a black strip of their own carries the caption,
// drags the window and holds a small close glyph at its right.
#include "widgets/CommandLabel.h"

#include <QDialog>
#include <QLabel>
#include <QPoint>
#include <QSize>

class QToolButton;
class QVBoxLayout;

// Top-left corner that centres a window of `window` size on a desktop of `desktop` size; the
// halves are truncated toward zero, as the program has always placed its windows.
QPoint CentredTopLeft(const QSize &desktop, const QSize &window);
// Moves `w` to the centre of the primary screen.
void CentreOnDesktop(QWidget *w);

// A label that reports a left click, or its Alt accelerator; the main window's top bar is built
// of them.
class ClickLabel : public CommandLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text = {}, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyTriggered(bool second) override;

private:
    bool m_pressed = false;
};

class TitleStrip : public QWidget {
    Q_OBJECT
public:
    explicit TitleStrip(const QString &caption, QWidget *parent = nullptr);
    QLabel *captionLabel() const { return m_caption; }
    QToolButton *closeGlyph() const { return m_close; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_caption;
    QToolButton *m_close;
    QPoint m_grabOffset;
    bool m_dragging = false;
};

class TitleStripDialog : public QDialog {
    Q_OBJECT
public:
    explicit TitleStripDialog(const QString &caption, QWidget *parent = nullptr);

    QString caption() const;
    void setCaption(const QString &caption);
    TitleStrip *strip() const { return m_strip; }
    QToolButton *closeGlyph() const;
    // The area under the strip; subclasses give it their layout or place children on it.
    QWidget *body() const { return m_body; }

protected:
    virtual void closeGlyphClicked();
    void paintEvent(QPaintEvent *event) override;

private:
    TitleStrip *m_strip;
    QWidget *m_body;
};
