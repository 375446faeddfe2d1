#pragma once
// Every window of both programs, each in the states a student or instructor
// meets it in, opened (not modally) on a shipped unknown in a fully open
// course. Shared by the layout test and the screenshot driver.
#include "tests/common/testsupport.h"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace layoutscenes {

// The unknown the windows are opened on: 2-butanone.
inline constexpr int kUnknown = 16;

struct Scene {
    std::string name;               // a test name: letters, digits, '_'
    std::function<QWidget*()> open; // opens the window and returns it
};
const std::vector<Scene>& scenes();
const Scene* findScene(const std::string& name);

// Registers every window of both programs and makes the programs' font the
// application's.
void prepareApplication();

// Gives `folder` the shipped unknowns and pictures and loads `unknown`
// into the state with everything allowed (call after the folder exists).
void loadStudentState(const orvtest::ProgramFolder& folder, int unknown = kUnknown);

// Unloads every window of both programs.
void closeAll();

} // namespace layoutscenes
