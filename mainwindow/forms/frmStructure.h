#pragma once
// Naming the current unknown by choosing its structure from up to six
// pictures (gifs/ovst<code>.gif). One choice ends the attempt; the progress
// report judges it. A picture that cannot be loaded leaves only the message
// and the button that closes the window.
#include <QWidget>
#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace orv {

class frmStructure : public QWidget {
    Q_OBJECT
public:
    frmStructure();

    std::array<QLabel*, 6> Structure{};
    QPushButton* cmdStructureOk;
    QPlainTextEdit* txtStructure;

    int PictureCount = 0;
    int AnswerPicture = -1;
    int SelectedPicture = -1;

    void Structure_MouseMove(int index);
    void Structure_GotFocus(int index);
    void Structure_LostFocus(int index);
    void Structure_KeyPress(int index, int keyAscii);
    void Structure_Click(int index);
    void Form_MouseMove();
    void cmdStructureOk_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Form_Load();
    void highlight(int index);
    void setPictureBack(int index, bool selected);
    void choose();
};

} // namespace orv
