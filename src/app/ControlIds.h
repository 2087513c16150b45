#pragma once
// Ids of the editor's controls, which are also the commands of its event dispatcher.

constexpr int IDC_QUIT = 100000;
constexpr int IDC_BACKGROUNDS = 100001;
constexpr int IDC_BALLOONS = 100002;
constexpr int IDC_CHARACTERS = 100003;
constexpr int IDC_PROPS = 100004;
constexpr int IDC_LOAD = 100005;
constexpr int IDC_SAVE = 100006;
constexpr int IDC_PRINT = 100007;
constexpr int IDC_MOVE = 100008;
constexpr int IDC_TEXT = 100009;
constexpr int IDC_INTERACTIVE_UPDATE = 100010;
constexpr int IDC_HELP = 100011;
constexpr int IDC_INFO = 100012;
constexpr int IDC_GLUE = 100013;
constexpr int IDC_LAYER_UP = 100014;
constexpr int IDC_LAYER_DOWN = 100015;
constexpr int IDC_LAYER_DELETE = 100016;
constexpr int IDC_THUMB_CELL1 = 100017;
constexpr int IDC_THUMB_CELL2 = 100018;
constexpr int IDC_THUMB_CELL3 = 100019;
constexpr int IDC_THUMB_CELL4 = 100020;
constexpr int IDC_PICKED = 100021;
constexpr int IDC_THUMB_BACK = 100022;
constexpr int IDC_THUMB_FORWARD = 100023;
constexpr int IDC_THUMB_STRIP = 100024;
// Layer k (1 to 10) is IDC_LAYER1 + 2 (k - 1); its hide toggle has the id after it.
constexpr int IDC_LAYER1 = 100025;
constexpr int IDC_LAYER1_HIDE = 100026;
constexpr int IDC_LAYER2 = 100027;
constexpr int IDC_LAYER2_HIDE = 100028;
constexpr int IDC_LAYER3 = 100029;
constexpr int IDC_LAYER3_HIDE = 100030;
constexpr int IDC_LAYER4 = 100031;
constexpr int IDC_LAYER4_HIDE = 100032;
constexpr int IDC_LAYER5 = 100033;
constexpr int IDC_LAYER5_HIDE = 100034;
constexpr int IDC_LAYER6 = 100035;
constexpr int IDC_LAYER6_HIDE = 100036;
constexpr int IDC_LAYER7 = 100037;
constexpr int IDC_LAYER7_HIDE = 100038;
constexpr int IDC_LAYER8 = 100039;
constexpr int IDC_LAYER8_HIDE = 100040;
constexpr int IDC_LAYER9 = 100041;
constexpr int IDC_LAYER9_HIDE = 100042;
constexpr int IDC_LAYER10 = 100043;
constexpr int IDC_LAYER10_HIDE = 100044;
constexpr int IDC_LAYER_STRIP = 100045;
constexpr int IDC_MIXER = 100046;
constexpr int IDC_UNDO = 100047;
constexpr int IDC_REDO = 100048;

constexpr int LAYER_COUNT = 10;
constexpr int THUMB_CELL_COUNT = 4;
