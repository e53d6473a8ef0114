#pragma once
// The splash window: the product picture comes in over the piece of desktop the window covers,
// with one of 122 transition styles picked at random, then the window closes itself.
#include <QPixmap>
#include <QTimer>
#include <QWidget>

class QVariantAnimation;

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int FormWidth = 472;
    static constexpr int FormHeight = 295;
    static constexpr int StyleCount = 122;
    static constexpr int EffectCount = 11;
    static constexpr int HoldMs = 500;

    // style 0 picks one at random; 1…122 forces it.
    explicit TSplashForm(int style = 0, QWidget *parent = nullptr);

    // Captures the desktop under the window, shows it and starts the transition without waiting.
    void start();

    int style() const { return m_style; }
    bool transitionRunning() const { return m_running; }
    int durationMs() const;
    // The window's picture at a point of the transition (0 shows the desktop, 1 the picture).
    QImage frame(qreal progress) const;

    static int RandomStyle();

signals:
    void finished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void paintFrame(QPainter &painter, qreal progress) const;
    void transitionDone();
    static QPixmap ProductPicture();

    int m_style;
    bool m_running = false;
    qreal m_progress = 0;
    QPixmap m_background;
    QPixmap m_picture;
    QVariantAnimation *m_animation;
    QTimer m_closeTimer;
};
