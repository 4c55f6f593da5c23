// The single list of the library's exports: name, family and what the host
// passes in each of the four arguments. The module definition, the HSP
// include file and the export-table check are generated from it, and the
// HSP type number of every `#func` line is derived from the kinds here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zor::exports {

// What the host passes in one argument slot.
enum class Arg : std::uint8_t {
  None,     // unused; the host passes 0
  Int,      // an int the script gives
  String,   // a zero-terminated string (p1: the data of a string variable)
  Var,      // the host variable record of the named variable
  Screen,   // the host screen record of the current window (p1 only)
  Palette,  // the host palette buffer, 768 bytes (p4 only)
  TextBuf,  // the host result text buffer, refstr (p4 only)
};

struct ExportRow {
  const char* name;
  const char* family;
  Arg p[4];
  // The script's argument list, as the include file's comment shows it.
  const char* args;
};

// clang-format off
inline constexpr ExportRow kExports[] = {
    {"ChkPval", "host", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, k"},
    {"BmpLoad", "bmp", {Arg::Screen, Arg::String, Arg::None, Arg::Palette}, "\"file\""},
    {"BmpInfo", "bmp", {Arg::Var, Arg::String, Arg::None, Arg::None}, "var, \"file\""},
    {"GetClipTxt", "clipboard", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"Txt2Clip", "clipboard", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, most"},
    {"Dib2Clip", "clipboard", {Arg::Screen, Arg::None, Arg::None, Arg::None}, ""},
    {"GetClipDib", "clipboard", {Arg::Screen, Arg::Int, Arg::Int, Arg::Palette}, "x, y"},
    {"GetClipInfo", "clipboard", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"PiInfo", "pi", {Arg::Var, Arg::String, Arg::None, Arg::None}, "var, \"file\""},
    {"PiInfoMem", "pi", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"SetPiMem", "pi", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, clear"},
    {"PiLoad", "pi", {Arg::Screen, Arg::String, Arg::Int, Arg::Palette}, "\"file\", flags"},
    {"PiLoadMem", "pi", {Arg::Screen, Arg::Int, Arg::None, Arg::Palette}, "flags"},
    {"PiTransColour", "pi", {Arg::Int, Arg::Int, Arg::Int, Arg::None}, "value, enable, corner"},
    {"PiDllAbout", "pi", {Arg::None, Arg::None, Arg::None, Arg::None}, ""},
    {"FloatSetBuf", "float_bank", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, r"},
    {"FloatClrBuf", "float_bank", {Arg::Int, Arg::None, Arg::None, Arg::None}, "r"},
    {"FloatNegBuf", "float_bank", {Arg::Int, Arg::None, Arg::None, Arg::None}, "r"},
    {"FloatCopyBuf", "float_bank", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatSwapBuf", "float_bank", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "a, b"},
    {"FloatIntBuf", "float_bank", {Arg::Int, Arg::None, Arg::None, Arg::None}, "r"},
    {"FloatChkOvFlow", "float_bank", {Arg::Int, Arg::None, Arg::None, Arg::None}, "r"},
    {"FloatPItoBuf", "float_bank", {Arg::Int, Arg::Int, Arg::Int, Arg::None}, "d, s, m"},
    {"FloatDEGtoRAD", "float_bank", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatRADtoDEG", "float_bank", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatToString", "float_bank", {Arg::Var, Arg::Int, Arg::Int, Arg::Int}, "var, r, n, trim"},
    {"FloatToInt", "float_bank", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, r"},
    {"FloatPlus", "float_arith", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, r"},
    {"FloatMinus", "float_arith", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, r"},
    {"FloatMultiply", "float_arith", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, r"},
    {"FloatDivide", "float_arith", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, r"},
    {"FloatPlusBuf", "float_arith", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatMinusBuf", "float_arith", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatMultiplyBuf", "float_arith", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatDivideBuf", "float_arith", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatRootBuf", "float_func", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatPowBuf", "float_func", {Arg::Int, Arg::Int, Arg::Int, Arg::None}, "d, b, e"},
    {"FloatSinBuf", "float_func", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatCosBuf", "float_func", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatTanBuf", "float_func", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatASinBuf", "float_func", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatACosBuf", "float_func", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatATanBuf", "float_func", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatLogBuf", "float_func", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"FloatLnBuf", "float_func", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "d, s"},
    {"TriFunc", "geometry", {Arg::Var, Arg::Int, Arg::Int, Arg::Int}, "var, kind, angle, scale"},
    {"TriFunc2", "geometry", {Arg::Var, Arg::Int, Arg::Int, Arg::Int}, "var, kind, angle, scale"},
    {"TriFuncA", "geometry", {Arg::Var, Arg::Int, Arg::Int, Arg::Int}, "var, kind, ratio, scale"},
    {"GetAngle", "geometry", {Arg::Int, Arg::Int, Arg::Int, Arg::Int}, "x1, y1, x2, y2"},
    {"GetAngle2", "geometry", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, scale"},
    {"Root", "geometry", {Arg::Var, Arg::Int, Arg::Int, Arg::None}, "var, x, scale"},
    {"DecimalStr", "numbers", {Arg::Var, Arg::Int, Arg::Int, Arg::None}, "var, a, b"},
    {"Hex2Int", "numbers", {Arg::Var, Arg::String, Arg::None, Arg::None}, "var, \"text\""},
    {"SlideNum", "numbers", {Arg::Var, Arg::Int, Arg::Int, Arg::Int}, "var, offset, count, amount"},
    {"MapStr", "text_case", {Arg::Var, Arg::String, Arg::Int, Arg::None}, "var, \"source\", mode"},
    {"UpperCase", "text_case", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"LowerCase", "text_case", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"UpperCaseF", "text_case", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"LowerCaseF", "text_case", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"CountChr", "text_search", {Arg::Var, Arg::Int, Arg::Int, Arg::Int}, "var, value, length, start"},
    {"SearchStr", "text_search", {Arg::Var, Arg::String, Arg::Int, Arg::Int}, "var, \"pattern\", length, start"},
    {"CheckFilename", "file_name", {Arg::Var, Arg::Int, Arg::Int, Arg::None}, "var, noDirectories, allowSemicolon"},
    {"NodeExt", "file_name", {Arg::Var, Arg::String, Arg::Int, Arg::Int}, "var, \"path\", selector, trim"},
    {"DragWin", "window", {Arg::Screen, Arg::None, Arg::None, Arg::None}, ""},
    {"ChangeParentWnd", "window", {Arg::Screen, Arg::None, Arg::None, Arg::None}, ""},
    {"SetParentWnd", "window", {Arg::Screen, Arg::Int, Arg::None, Arg::None}, "clear"},
    {"ExDialog", "window", {Arg::String, Arg::String, Arg::Int, Arg::Int}, "\"text\", \"caption\", code, defaultButton"},
    {"GetSysColour", "window", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, index"},
    {"RasterOperation", "window", {Arg::Screen, Arg::Int, Arg::None, Arg::None}, "mode"},
    {"Obj_Font", "window", {Arg::Screen, Arg::Int, Arg::None, Arg::None}, "number"},
    {"Iconic", "window", {Arg::Screen, Arg::None, Arg::None, Arg::None}, ""},
    {"Zoomed", "window", {Arg::Screen, Arg::None, Arg::None, Arg::None}, ""},
    {"ZorMinimize", "window", {Arg::Screen, Arg::None, Arg::None, Arg::None}, ""},
    {"ZorMaximize", "window", {Arg::Screen, Arg::None, Arg::None, Arg::None}, ""},
    {"ZorRestore", "window", {Arg::Screen, Arg::None, Arg::None, Arg::None}, ""},
    {"FlashWin", "window", {Arg::Screen, Arg::Int, Arg::None, Arg::None}, "invert"},
    {"GetClientCurPos", "window", {Arg::Screen, Arg::Int, Arg::None, Arg::None}, "axis"},
    {"SetCursorClient", "window", {Arg::Screen, Arg::Int, Arg::Int, Arg::None}, "x, y"},
    {"Ime_Open", "window", {Arg::Screen, Arg::Int, Arg::None, Arg::None}, "open"},
    {"GetForeWinSize", "window", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"PaintForeWinImage", "window", {Arg::Screen, Arg::Int, Arg::Int, Arg::Int}, "stretch, query, desktopOnly"},
    {"PaintDesktopImage", "window", {Arg::Screen, Arg::Int, Arg::Int, Arg::Int}, "stretch, query, desktopOnly"},
    {"MoveObject", "objects", {Arg::Screen, Arg::Int, Arg::Int, Arg::Int}, "number, x, y"},
    {"ResizeObject", "objects", {Arg::Screen, Arg::Int, Arg::Int, Arg::Int}, "number, width, height"},
    {"SetObjTable", "objects", {Arg::Screen, Arg::None, Arg::None, Arg::None}, ""},
    {"CheckObjTable", "objects", {Arg::Screen, Arg::None, Arg::None, Arg::None}, ""},
    {"GetObjTable", "objects", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"SetTargetObj", "objects", {Arg::Screen, Arg::Int, Arg::None, Arg::None}, "number"},
    {"GetObjText", "objects", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"ES_Change", "objects", {Arg::Screen, Arg::Int, Arg::Int, Arg::Int}, "number, set, clear"},
    {"BS_Def", "objects", {Arg::Screen, Arg::Int, Arg::None, Arg::None}, "number"},
    {"BS_Multi", "objects", {Arg::Screen, Arg::Int, Arg::None, Arg::None}, "number"},
    {"BS_Ext", "objects", {Arg::Screen, Arg::Int, Arg::Int, Arg::None}, "number, index"},
    {"CallCursor", "objects", {Arg::Screen, Arg::Int, Arg::Int, Arg::None}, "number, useWindow"},
    {"BtnPush", "objects", {Arg::Screen, Arg::Int, Arg::None, Arg::None}, "number"},
    {"CreatePopup", "popup", {Arg::Var, Arg::Int, Arg::Int, Arg::None}, "var, count, slotNumber"},
    {"DoPopup", "popup", {Arg::Screen, Arg::Int, Arg::Int, Arg::Int}, "x, y, slotNumber"},
    {"DestroyPopup", "popup", {Arg::Int, Arg::None, Arg::None, Arg::None}, "which"},
    {"SetFileMask", "dialogs", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, pairs"},
    {"FileMaskFree", "dialogs", {Arg::None, Arg::None, Arg::None, Arg::None}, ""},
    {"GetOpenFile", "dialogs", {Arg::Var, Arg::String, Arg::None, Arg::None}, "var, \"defaultExtension\""},
    {"GetSaveFile", "dialogs", {Arg::Var, Arg::String, Arg::Int, Arg::None}, "var, \"defaultExtension\", options"},
    {"GetCmdLine", "environment", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, mode"},
    {"GetWinTemp", "environment", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"GetCurDir", "environment", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"RmDir", "environment", {Arg::None, Arg::String, Arg::None, Arg::None}, "0, \"directory\""},
    {"GetEnvVar", "environment", {Arg::Var, Arg::String, Arg::None, Arg::None}, "var, \"name\""},
    {"GetShellDir", "environment", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, index"},
    {"SetShortCutParam", "shortcut", {Arg::Var, Arg::Int, Arg::Int, Arg::None}, "var, hotkey, setHotkey"},
    {"SetShortCutArg", "shortcut", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
    {"SetShortCutIcon", "shortcut", {Arg::Var, Arg::Int, Arg::None, Arg::None}, "var, index"},
    {"SetShortCutShow", "shortcut", {Arg::Int, Arg::None, Arg::None, Arg::None}, "index"},
    {"FreeShortCutParam", "shortcut", {Arg::None, Arg::None, Arg::None, Arg::None}, ""},
    {"CreateShortCut", "shortcut", {Arg::String, Arg::String, Arg::None, Arg::None}, "\"target\", \"linkPath\""},
    {"GetShortCutParam", "shortcut", {Arg::Var, Arg::String, Arg::Int, Arg::None}, "var, \"path\", setting"},
    {"GetZorExtVer", "sound_version", {Arg::None, Arg::None, Arg::None, Arg::TextBuf}, ""},
    {"GetWinVerEx", "sound_version", {Arg::Int, Arg::None, Arg::None, Arg::TextBuf}, "selector"},
    {"DizezOzozoz", "sound_version", {Arg::None, Arg::None, Arg::None, Arg::None}, ""},
    {"AboutMe", "sound_version", {Arg::None, Arg::None, Arg::None, Arg::None}, ""},
    {"Bell", "sound_version", {Arg::Int, Arg::Int, Arg::None, Arg::None}, "frequency, duration"},
    {"Bell2", "sound_version", {Arg::Int, Arg::None, Arg::None, Arg::None}, "index"},
    {"PlayWave", "sound_version", {Arg::Var, Arg::None, Arg::None, Arg::None}, "var"},
};
// clang-format on

inline constexpr std::size_t kExportCount = sizeof(kExports) / sizeof(kExports[0]);

// HSP's `#func` type number: the low two bits say what p1 is, +$04 a string
// in p2, +$10 the result text buffer in p4, +$30 the palette in p4.
constexpr int HspType(const ExportRow& row) {
  int type = 0;
  switch (row.p[0]) {
    case Arg::String:
      type = 1;
      break;  // the script passes a string variable
    case Arg::Screen:
      type = 2;
      break;
    case Arg::Var:
      type = 3;
      break;
    default:
      break;
  }
  if (row.p[1] == Arg::String) type += 0x04;
  if (row.p[3] == Arg::TextBuf) type += 0x10;
  if (row.p[3] == Arg::Palette) type += 0x30;
  return type;
}

// A row the type number can express: screens only in p1, strings only in p1
// and p2, variable records only in p1, host buffers only in p4.
constexpr bool Expressible(const ExportRow& row) {
  for (int i = 0; i < 4; ++i) {
    const Arg a = row.p[i];
    if (a == Arg::Screen && i != 0) return false;
    if (a == Arg::Var && i != 0) return false;
    if (a == Arg::String && i > 1) return false;
    if ((a == Arg::Palette || a == Arg::TextBuf) && i != 3) return false;
  }
  return true;
}

// The arguments a script writes: every slot but the ones the host fills in
// itself, up to the last one the export reads.
constexpr int ScriptArgCount(const ExportRow& row) {
  int count = 0, seen = 0;
  for (const Arg a : row.p) {
    if (a == Arg::Screen || a == Arg::Palette || a == Arg::TextBuf) continue;
    ++seen;
    if (a != Arg::None) count = seen;
  }
  return count;
}

// Items of a comma-separated argument list ("" is none).
constexpr int ListedArgCount(const char* args) {
  if (*args == '\0') return 0;
  int count = 1;
  for (; *args != '\0'; ++args)
    if (*args == ',') ++count;
  return count;
}

constexpr bool TableIsSound() {
  for (const ExportRow& row : kExports)
    if (!Expressible(row) || ListedArgCount(row.args) != ScriptArgCount(row)) return false;
  return true;
}
static_assert(TableIsSound(), "an export cannot be declared to HSP, or its argument list is off");

}  // namespace zor::exports
