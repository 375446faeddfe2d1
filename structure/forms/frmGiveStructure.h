#pragma once
// Identifying the unknown by building its structure: a compound type, a
// subtype and up to three substituents, each choice drawn as a picture over
// the drawing area. Continue judges the built code, counts the attempt,
// closes the window and opens the progress report; Cancel (or the close box)
// leaves without counting.
#include "structure/structurebuilder.h"

#include <QWidget>
#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace orv {

class frmGiveStructure : public QWidget {
    Q_OBJECT
public:
    frmGiveStructure();

    QPushButton* cmdGSHelp;
    QPushButton* cmdGSOk;
    QGroupBox* frmCompType;
    QPushButton* cmdCompType;
    QListWidget* lstCompType;
    QGroupBox* frmSubType;
    QListWidget* lstSubType;
    QPushButton* cmdSubType;
    QPlainTextEdit* txtGiveStruct;
    QPushButton* cmdGCancel;
    QGroupBox* frmSubstituents;
    QListWidget* lstX;
    QListWidget* lstY;
    QListWidget* lstZ;
    QPushButton* cmdSelectX;
    QPushButton* cmdSelectZ;
    QPushButton* cmdSelectY;
    QLabel* picBaseStruct;
    QLabel* picXSub;
    QLabel* picYSub;
    QLabel* picZsub;
    QTextEdit* txtStructure;

    // The window's state (type, subtype, code letters, picture places).
    const structure::StructureBuilder& state() const { return builder_; }

    void GetReady();
    void SeeIfContinue();

    void lstCompType_Click();
    void lstCompType_DblClick();
    void cmdCompType_Click();
    void lstSubType_Click();
    void lstSubType_DblClick();
    void cmdSubType_Click();
    void cmdSelectX_Click();
    void cmdSelectY_Click();
    void cmdSelectZ_Click();
    void cmdGSOk_Click();
    void cmdGSHelp_Click();
    void cmdGCancel_Click();
    void picBaseStruct_Click();
    void txtStructure_GotFocus();

    // Plays a feedback sound by kind; tests replace it to hear what is played.
    static std::function<void(const QString&)>& soundPlayer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void chooseSubstituent(structure::Slot slot, QListWidget* list);
    void render(bool refillLists = false);
    void showPicture(QLabel* box, const structure::PlacedPicture& p);
    void fillList(QListWidget* list, const QStringList& items);

    structure::StructureBuilder builder_;
};

} // namespace orv
