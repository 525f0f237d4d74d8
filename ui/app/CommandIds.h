#pragma once

// The command identifiers of the menus, accelerators, toolbar and context menus.
namespace Cmd {
enum Id : int {
    Exit = 8,
    ExpandRoot = 32776,
    CollapseRoot = 32777,
    DeviceInfo = 32806,
    ExpandDictionary = 32807,
    CollapseDictionary = 32808,
    FileInfo = 32809,
    DummyUsage = 32810,
    Edit = 32811,
    NewSubindex = 32812,
    Delete = 32819,
    NewIndex = 32820,
    ImportEds = 32833,
    Comments = 32842,
    CreateSources = 32858,
    CreateEds = 32859,
    Paste = 32861,
    Copy = 32862,
    CheckDictionary = 32900,
    CreateDocumentation = 32910,
    ImportXdd = 32912,
    CreateXdd = 32911,
    New = 57600,
    Open = 57601,
    Save = 57603,
    SaveAs = 57604,
    Filter = 57636,
    Undo = 57643,
    Redo = 57644,
    About = 57664,
    ToolBar = 59392,
    StatusBar = 59393,
};
}  // namespace Cmd
