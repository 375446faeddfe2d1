#pragma once
// A spectrum viewer's printing feedback: the progress bar (pbXxx) that
// follows the printout and the text box (txtXxx) with the pale cyan
// "Printing completed." notice, shown for three seconds on a timer; both
// hidden outside printing. The controls and the timer are children of the
// viewer's client area and go with it.
#include <QElapsedTimer>
#include <QString>

class QLineEdit;
class QProgressBar;
class QTimer;
class QWidget;

namespace orv::spectra {

class PrintProgress {
public:
    // Children of `parent` (the viewer's client area) named pb<code> and
    // txt<code>; the bar starts `barLeft` twips from the left.
    PrintProgress(QWidget* parent, const QString& code, int barLeft = 120);

    // Shows the bar across the viewer (its width in twips) at value 1, the
    // notice of an earlier printout hidden.
    void start(int viewerWidthTwips);
    // The bar's value (0..100, whole numbers shown). While the page is laid
    // out no events run, so the bar is painted here, at once, but only when
    // its filled part has moved by a pixel and a frame's time (kFrameMs) has
    // passed since it was last painted: a quick printout paints it once or
    // twice, a slow one about 25 times a second, never once per point.
    void setValue(double value);
    static constexpr int kFrameMs = 40;
    // The bar hidden and the end notice shown, centred on the viewer, until
    // the notice timer runs out (three seconds).
    void finish(int viewerWidthTwips);
    // After a failure, or for a clean picture: both hidden.
    void abandon();

    QProgressBar* bar() const { return bar_; }
    QLineEdit* notice() const { return notice_; }
    QTimer* noticeTimer() const { return noticeTimer_; }

private:
    void paintBar();
    void hideBar();
    QProgressBar* bar_;
    QLineEdit* notice_;
    QTimer* noticeTimer_;
    int barLeft_;
    int paintedWidth_ = -1; // the filled part's pixels when last painted
    QElapsedTimer sincePaint_;
};

} // namespace orv::spectra
