#include "mainwindow/mainmenus.h"

#include "platform/resources.h"

#include <utility>

namespace orv {

namespace {

bool on(Boolean b) { return isTrue(b); }

MenuEntry entry(const QString& name, int index, const QString& caption, const QString& shortcut = {}, int topic = 0)
{
    MenuEntry e;
    e.name = name;
    e.index = index;
    e.caption = caption;
    e.shortcut = shortcut;
    e.helpTopic = topic;
    return e;
}

MenuEntry separator(const QString& name, int index) { return entry(name, index, QStringLiteral("-")); }

MenuEntry topMenu(const QString& name, const QString& caption, int topic, std::vector<MenuEntry> entries)
{
    MenuEntry e = entry(name, -1, caption, {}, topic);
    e.entries = std::move(entries);
    return e;
}

// An item entry: its caption comes from the item's display name.
MenuEntry itemEntry(const QString& name, int index, int item, const QString& shortcut, int topic)
{
    MenuEntry e = entry(name, index, itemMenuCaption(item), shortcut, topic);
    e.item = item;
    return e;
}

MenuEntry fileMenu(const ModOrvan& m)
{
    // clang-format off
    MenuEntry f = topMenu(QStringLiteral("mnuFile"), QStringLiteral("&File"), 0,
        {entry(QStringLiteral("mnuSummary"), -1, QStringLiteral("Summary of completed &unknowns ")),
         entry(QStringLiteral("mnuPassword"), -1, QStringLiteral("Change &password ")),
         entry(QStringLiteral("mnuSound"), -1, QStringLiteral("Allow &sound")),
         separator(QStringLiteral("mnuFLine"), -1),
         entry(QStringLiteral("mnuSaveCont"), -1, QStringLiteral("Sa&ve and continue"), QStringLiteral("Ctrl+V")),
         entry(QStringLiteral("mnuSaveNext"), -1, QStringLiteral("Save and ne&xt user"), QStringLiteral("Ctrl+X")),
         entry(QStringLiteral("mnuSaveQuit"), -1, QStringLiteral("Save and &quit"), QStringLiteral("Ctrl+Q")),
         entry(QStringLiteral("mnuNextUser"), -1, QStringLiteral("N&ext user"), QStringLiteral("Ctrl+E")),
         entry(QStringLiteral("mnuExit"), -1, QStringLiteral("End n&ow"), QStringLiteral("Ctrl+O"))});
    // clang-format on
    auto& e = f.entries;
    MenuEntry& sound = e[2];
    sound.checkable = true;
    sound.visible = on(m.SoundAllowed);
    sound.checked = on(m.SoundAllowed) && on(m.SoundOn);
    e[1].visible = on(m.PasswordRequired) && on(m.MultipleSessionsAllowed) && !on(m.InstructorMode);
    const bool canSave = on(m.MultipleSessionsAllowed) && !on(m.InstructorMode);
    for (int k = 4; k <= 6; ++k)
        e[k].visible = canSave;
    e[7].visible = e[8].visible = !canSave;
    return f;
}

MenuEntry physPropMenu(const ModOrvan& m)
{
    static const char* const shortcuts[] = {"Ctrl+C", "Ctrl+I", "Ctrl+M", "Ctrl+P", "Ctrl+U"};
    static const int topics[] = {810, 815, 820, 825, 0, 735, 755, 765, 780, 805};
    const QString name = QStringLiteral("mnuPhysPropItem");
    std::vector<MenuEntry> items;
    for (int i = 0; i <= 9; ++i) {
        if (i == 4)
            items.push_back(separator(name, 4));
        else
            items.push_back(itemEntry(name, i, itemForMenuIndex(name, i),
                                      i >= 5 ? QString::fromLatin1(shortcuts[i - 5]) : QString(), topics[i]));
    }
    MenuEntry p = topMenu(QStringLiteral("mnuPhysProp"), QStringLiteral("&Physical properties"), 720, std::move(items));
    auto& e = p.entries;
    if (!on(m.BpMpAllowed) && !on(m.TestsAllowed) && !on(m.AnySpectrumAllowed)) {
        p.visible = false;
        return p;
    }
    e[1].visible = e[2].visible = on(m.BpMpAllowed);
    if (!on(m.TestsAllowed))
        e[0].visible = e[3].visible = false;
    if (!e[0].visible && !e[1].visible && !e[2].visible && !e[3].visible)
        e[4].visible = false;
    e[5].visible = on(m.CmrAllowed);
    e[6].visible = on(m.IrAllowed);
    e[7].visible = on(m.MsAllowed);
    e[8].visible = on(m.PmrAllowed);
    e[9].visible = on(m.UvAllowed);
    if (!on(m.AnySpectrumAllowed))
        e[4].visible = false;
    return p;
}

MenuEntry chemTestsMenu(const ModOrvan& m)
{
    const QString name = QStringLiteral("mnuCtestItem");
    std::vector<MenuEntry> items;
    for (int i = 0; i <= 18; ++i)
        items.push_back(itemEntry(name, i, i + 13, {}, i == 0 ? 101 : 100 + 2 * i));
    MenuEntry c = topMenu(QStringLiteral("mnuChemTests"), QStringLiteral("&Chemical tests"), 100, std::move(items));
    c.visible = on(m.TestsAllowed);
    return c;
}

MenuEntry derivativesMenu(const ModOrvan& m)
{
    const QString name = QStringLiteral("mnuDerivItem");
    std::vector<MenuEntry> items;
    for (int i = 0; i <= 17; ++i)
        items.push_back(itemEntry(name, i, i + 35, {}, 205 + 5 * i));
    items.push_back(separator(name, 18));
    items.push_back(itemEntry(name, 19, 53, {}, 295));
    items.push_back(itemEntry(name, 20, 54, {}, 300));
    MenuEntry d = topMenu(QStringLiteral("mnuDerivs"), QStringLiteral("&Derivatives"), 200, std::move(items));
    d.visible = on(m.DerivsAllowed);
    return d;
}

MenuEntry identityMenu(const ModOrvan& m)
{
    const QString name = QStringLiteral("mnuNameItem");
    // clang-format off
    MenuEntry n = topMenu(QStringLiteral("mnuname"), QStringLiteral("&Identity"), 500,
        {entry(name, 0, QStringLiteral("By &typing name"), QStringLiteral("Ctrl+N")),
         entry(name, 1, QStringLiteral("By &structure choosing"), QStringLiteral("Ctrl+S")),
         entry(name, 2, QStringLiteral("By &giving structure"), QStringLiteral("Ctrl+G")),
         entry(name, 3, QStringLiteral("&Resign from this unknown"))});
    // clang-format on
    auto& e = n.entries;
    e[0].visible = on(m.TypeNameOnly) || on(m.OfferNameList);
    e[1].visible = on(m.ChooseStructureAllowed);
    e[2].visible = on(m.GiveStructureAllowed);
    e[3].visible = on(m.ResignAllowed);
    return n;
}

MenuEntry calculatorsMenu(const ModOrvan& m)
{
    const QString name = QStringLiteral("mmnuToolsItem");
    // clang-format off
    MenuEntry t = topMenu(QStringLiteral("mnutools"), QStringLiteral("C&alculators"), 0,
        {entry(name, 0, QStringLiteral("&Proton shift calculator (pmr)"), QStringLiteral("Ctrl+R"), 787),
         entry(name, 1, QStringLiteral("P&roton coupling calculator (pmr)"), QStringLiteral("Ctrl+J"), 792),
         entry(name, 2, QStringLiteral("&Carbon shift calculator (cmr)"), QStringLiteral("Ctrl+B"), 743),
         entry(name, 3, QStringLiteral("&Formula calculator (ms)"), QStringLiteral("Ctrl+F"), 777),
         entry(name, 4, QStringLiteral("M&ass calculator (ms)"), QStringLiteral("Ctrl+A"), 777),
         entry(name, 5, QStringLiteral("&Isotope calculator (ms)"), QStringLiteral("Ctrl+T"), 777)});
    // clang-format on
    if (!on(m.AnyCalcAllowed)) {
        t.visible = false;
        return t;
    }
    const Boolean allowed[] = {m.HShiftCalcAllowed,  m.CouplingCalcAllowed, m.CShiftCalcAllowed,
                               m.FormulaCalcAllowed, m.MassCalcAllowed,     m.IsotopeCalcAllowed};
    for (int i = 0; i < 6; ++i)
        t.entries[i].enabled = on(allowed[i]);
    return t;
}

MenuEntry tablesMenu()
{
    // clang-format off
    struct Table { const char* caption; int topic; };
    static const Table tables[] = {
        {"Ac&ids", 545},       {"A&cyl halides", 505},       {"A&lcohols", 510},     {"Al&dehydes", 515},
        {"Alk&enes", 520},     {"A&mides", 525},             {"Amines&1 (prim, sec)", 530},
        {"Amines&2 (tert)", 535}, {"An&hydrides", 540},      {"&Arenes", 543},       {"C&yanides", 550},
        {"E&sters", 555},      {"E&thers", 560},             {"Hal&oalkanes", 565},  {"Haloa&renes", 570},
        {"&Ketones", 575},     {"&Nitro compounds", 580},    {"&Phenols", 585}};
    // clang-format on
    MenuEntry g = entry(QStringLiteral("mnuHelpGroup3"), 0, QStringLiteral("T&ables of compounds"), {}, 500);
    int i = 0;
    for (const Table& t : tables)
        g.entries.push_back(entry(QStringLiteral("mnuHelpTables"), i++, QString::fromLatin1(t.caption), {}, t.topic));
    return g;
}

MenuEntry helpMenu(const ModOrvan& m)
{
    const QString g1 = QStringLiteral("mnuHelpGroup1"), g2 = QStringLiteral("mnuHelpGroup2"),
                  g4 = QStringLiteral("mnuHelpGroup4"), g5 = QStringLiteral("mnuHelpGroup5");
    // clang-format off
    MenuEntry h = topMenu(QStringLiteral("mnuHelp"), QStringLiteral("&Help"), 715,
        {entry(g1, 0, QStringLiteral("C&ontents"), QStringLiteral("F1")),
         entry(g1, 1, QStringLiteral("&Keyboard shortcuts"), {}, 707),
         entry(g1, 2, QStringLiteral("&Tools (spectroscopy toolbars)"), {}, 733),
         separator(g1, 3),
         entry(g2, 0, QStringLiteral("&Spectroscopy help"), {}, 730),
         entry(g2, 1, QStringLiteral("&Chemical tests help"), {}, 100),
         entry(g2, 2, QStringLiteral("&Derivatives help"), {}, 200),
         separator(g2, 3),
         tablesMenu(),
         separator(QStringLiteral("mnuHelpGroup3"), 1),
         entry(g4, 0, QStringLiteral("Solved &example unknown"), {}, 734),
         separator(g4, 1),
         entry(g5, 0, QStringLiteral("&Items revealed for this unknown"), {}, 725),
         entry(g5, 1, QStringLiteral("&Help with this unknown"), {}, 725),
         separator(g5, 2)});
    // clang-format on
    auto& e = h.entries;
    const bool spectra = on(m.AnySpectrumAllowed), tests = on(m.TestsAllowed), derivs = on(m.DerivsAllowed);
    e[2].visible = e[4].visible = spectra;
    e[5].visible = tests;
    e[6].visible = derivs;
    e[7].visible = tests || derivs || spectra;
    e[13].visible = on(m.UnknownHelpAllowed);
    return h;
}

} // namespace

MenuEntry* findMenuEntry(std::vector<MenuEntry>& menus, const QString& name, int index)
{
    for (MenuEntry& e : menus) {
        if (e.name == name && e.index == index)
            return &e;
        if (MenuEntry* found = findMenuEntry(e.entries, name, index))
            return found;
    }
    return nullptr;
}

const MenuEntry* findMenuEntry(const std::vector<MenuEntry>& menus, const QString& name, int index)
{
    return findMenuEntry(const_cast<std::vector<MenuEntry>&>(menus), name, index);
}

QString itemMenuCaption(int n)
{
    // Where the access key sits in each item's name; items not listed take
    // the first letter.
    // clang-format off
    struct Key { int item; int k; };
    static const Key keys[] = {{3, 2},   {15, 1}, {16, 2}, {20, 5}, {21, 5}, {23, 1}, {24, 2}, {30, 3},
                               {31, 5},  {35, 15}, {36, 15}, {37, 1}, {38, 1}, {39, 2}, {41, 7}, {42, 11},
                               {43, 4},  {44, 22}, {45, 3}, {46, 1}, {47, 1}, {48, 6}, {49, 2}, {51, 1},
                               {52, 4},  {53, 19}, {54, 16}};
    // clang-format on
    int k = 0;
    for (const Key& key : keys)
        if (key.item == n)
            k = key.k;
    QString name = LoadResString(itemNameResource(n));
    name.insert(std::min<int>(k, name.size()), u'&');
    return name;
}

int itemForMenuIndex(const QString& menuName, int index)
{
    if (menuName == QLatin1String("mnuPhysPropItem")) {
        if (index >= 0 && index <= 3)
            return index + 1;
        if (index >= 5 && index <= 9)
            return index;
    } else if (menuName == QLatin1String("mnuCtestItem")) {
        if (index >= 0 && index <= 18)
            return index + 13;
    } else if (menuName == QLatin1String("mnuDerivItem")) {
        if (index >= 0 && index <= 17)
            return index + 35;
        if (index == 19 || index == 20)
            return index + 34;
    }
    return 0;
}

std::vector<MenuEntry> buildMainMenus(const ModOrvan& m)
{
    return {fileMenu(m),     physPropMenu(m),    chemTestsMenu(m), derivativesMenu(m),
            identityMenu(m), calculatorsMenu(m), helpMenu(m)};
}

QString quitReasonAtLoad(const ModOrvan& m)
{
    if (!on(m.MultipleSessionsAllowed) || on(m.InstructorMode))
        return QStringLiteral("NoSave");
    return m.QuitReason.isEmpty() ? QStringLiteral("Save") : m.QuitReason;
}

} // namespace orv
