#pragma once
// The instructor's window for loading any of the 99 unknowns directly: a
// grid of numbered buttons whose tool tips name the compounds, and a list of
// compound classes that highlights their unknowns. Loading the window puts
// the program in instructor mode; a click on an unknown loads it and hands
// over to the main window; Quit (or closing the window before a choice)
// ends the program. Shown modeless, by name, by the start window and by the
// progress report in instructor mode.
#include "platform/basic.h"

#include <QWidget>
#include <array>
#include <cstdint>

class QLabel;
class QListWidget;
class QPushButton;

namespace orv {

class frmSelectUnks : public QWidget {
    Q_OBJECT
public:
    frmSelectUnks();

    QLabel* lblSelectUnks;
    std::array<QPushButton*, 100> cmdUnk{}; // 0 the hidden template, 1..99 the unknowns
    QListWidget* lstType;
    QLabel* lblType;
    QPushButton* cmdQuitAll;

    // Highlights the unknowns of class k (the list index; -1 for no
    // selection): every button goes back to light yellow, then the class's
    // members turn orange. 0, -1 or any other index colours nothing more.
    void ColourButtons(int k);
    // A button's back colour as &HBBGGRR.
    std::uint32_t buttonColour(int n) const;

    static constexpr std::uint32_t kPlainColour = 0x80FFFF;
    static constexpr std::uint32_t kClassColour = 0x25C1FF;

public slots:
    void cmdUnk_Click(int index);
    void cmdQuitAll_Click();

protected:
    void closeEvent(QCloseEvent* e) override; // Form_Unload
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void setButtonColour(int n, std::uint32_t colour);
    int UnkButtonCount = 0;
    Boolean QuitOnUnload = kTrue;
    std::array<std::uint32_t, 100> colours_{};
};

} // namespace orv
