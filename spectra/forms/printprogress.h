#pragma once
// A spectrum viewer's printing feedback: the progress bar (pbXxx) that
// follows the printout and the text box (txtXxx) with the pale cyan
// "Printing completed." notice shown for three seconds; both hidden
// outside printing.
#include "spectra/forms/printpage.h"

#include <QSizeF>
#include <QString>
#include <functional>

class QLineEdit;
class QProgressBar;
class QWidget;

namespace orv::spectra {

class PrintProgress {
public:
    // Children of `parent` (the viewer's client area) named pb<code> and
    // txt<code>; the bar starts `barLeft` twips from the left.
    PrintProgress(QWidget* parent, const QString& code, int barLeft = 120);

    // Shows the bar across the viewer (its width in twips) at value 1.
    void start(int viewerWidthTwips);
    void setValue(double value);
    // The end notice, centred on the viewer, for three seconds.
    void finish(int viewerWidthTwips);
    // After a failure: both hidden.
    void abandon();

    QProgressBar* bar() const { return bar_; }
    QLineEdit* notice() const { return notice_; }

private:
    QProgressBar* bar_;
    QLineEdit* notice_;
    int barLeft_;
};

// The pale cyan "Printing completed." box, centred on the viewer (its width
// in twips), for three seconds. The viewer may be closed meanwhile.
void showPrintedNotice(QLineEdit* notice, int viewerWidthTwips);

// One landscape printout of a viewer: the progress bar at 1, the page laid
// out by `layout` (given the page size in twips as the printer reports it),
// the document ended, then the notice. A printer failure shows "Error with
// printer." and leaves both controls hidden; the result is false then.
bool runPrintout(PrintProgress& progress, QWidget* viewer,
                 const std::function<void(PrintPage&, QSizeF)>& layout);

} // namespace orv::spectra
