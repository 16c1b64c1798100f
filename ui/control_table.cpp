#include "control_table.h"

#include "control_ids.h"

namespace {

constexpr ControlKind kEdit = ControlKind::TextBox;
constexpr ControlKind kLabel = ControlKind::Label;
constexpr ControlKind kButton = ControlKind::Button;
constexpr ControlKind kImage = ControlKind::Image;

constexpr uint32_t kResult = kResultBoxStyle;
constexpr uint32_t kEdge = kSunkenEdge;

// clang-format off
constexpr ControlRow kControls[] = {
    // id                  kind     text                            x    y    w    h  style          ex
    {ID_AF1,              kEdit,   "",                             70,  10,  60,  10, 0,             0},
    {ID_F1,               kEdit,   "",                             70,  25,  60,  10, 0,             0},
    {ID_AF2,              kEdit,   "",                             70,  40,  60,  10, 0,             0},
    {ID_F2,               kEdit,   "",                             70,  55,  60,  10, 0,             0},
    {ID_CAP,              kEdit,   "1",                            70,  70,  60,  10, 0,             0},
    {1006,                kLabel,  "AF1 (1/Q1)",                   15,  10,  45,  10, 0,             0},
    {1007,                kLabel,  "F1",                           15,  25,  45,  10, 0,             0},
    {1008,                kLabel,  "AF2 (1/Q2)",                   15,  40,  45,  10, 0,             0},
    {1009,                kLabel,  "F2",                           15,  55,  45,  10, 0,             0},
    {1010,                kLabel,  "C (uF)",                       15,  70,  30,  10, 0,             0},
    {ID_PROTO_R1,         kEdit,   "",                            195,  10,  50,  10, kResult,       kEdge},
    {ID_PROTO_R2,         kEdit,   "",                            195,  25,  50,  10, kResult,       kEdge},
    {ID_PROTO_R3,         kEdit,   "",                            195,  40,  50,  10, kResult,       kEdge},
    {ID_PROTO_R4,         kEdit,   "",                            195,  55,  50,  10, kResult,       kEdge},
    {ID_PROTO_K,          kEdit,   "",                            195,  70,  50,  10, kResult,       kEdge},
    {1016,                kLabel,  "R1",                          170,  10,  20,  10, 0,             0},
    {1017,                kLabel,  "R2",                          170,  25,  20,  10, 0,             0},
    {1018,                kLabel,  "R3",                          170,  40,  20,  10, 0,             0},
    {1019,                kLabel,  "R4",                          170,  55,  20,  10, 0,             0},
    {1020,                kLabel,  "K",                           170,  70,  20,  10, 0,             0},
    {ID_CALC,             kButton, "CALC",                        400, 150,  65,  20, 0,             0},
    {ID_EXIT,             kButton, "EXIT",                        400, 180,  65,  20, 0,             0},
    {ID_SCHEMATIC,        kImage,  "Schematic",                    15,  95, 255, 155, kPictureStyle, kEdge},
    {ID_HELP,             kButton, "HELP/ABOUT",                  400, 210,  65,  20, 0,             0},
    {1025,                kLabel,  "ohms",                        250,  10,  25,  10, 0,             0},
    {1026,                kLabel,  "ohms",                        250,  25,  25,  10, 0,             0},
    {1027,                kLabel,  "ohms",                        250,  40,  25,  10, 0,             0},
    {1028,                kLabel,  "ohms",                        250,  55,  25,  10, 0,             0},
    {ID_OUT_R1,           kEdit,   "",                            410,  10,  50,  10, kResult,       kEdge},
    {ID_OUT_R2,           kEdit,   "",                            410,  25,  50,  10, kResult,       kEdge},
    {ID_OUT_R3,           kEdit,   "",                            410,  40,  50,  10, kResult,       kEdge},
    {ID_OUT_R4,           kEdit,   "",                            410,  55,  50,  10, kResult,       kEdge},
    {ID_OUT_RKR,          kEdit,   "",                            410,  85,  50,  10, kResult,       kEdge},
    {1035,                kLabel,  "R1",                          385,  10,  20,  10, 0,             0},
    {1036,                kLabel,  "R2",                          385,  25,  20,  10, 0,             0},
    {1037,                kLabel,  "R3",                          385,  40,  20,  10, 0,             0},
    {1038,                kLabel,  "R4",                          385,  55,  20,  10, 0,             0},
    {1039,                kLabel,  "RK-R",                        385,  85,  20,  10, 0,             0},
    {1040,                kLabel,  "ohms",                        465,  10,  25,  10, 0,             0},
    {1041,                kLabel,  "ohms",                        465,  25,  25,  10, 0,             0},
    {1042,                kLabel,  "ohms",                        465,  40,  25,  10, 0,             0},
    {1043,                kLabel,  "ohms",                        465,  55,  25,  10, 0,             0},
    {1044,                kLabel,  "ohms",                        465,  85,  25,  10, 0,             0},
    {ID_RSTAR,            kEdit,   "2000",                        410, 100,  50,  10, 0,             0},
    {1046,                kLabel,  "R*",                          385, 100,  20,  10, 0,             0},
    {1047,                kLabel,  "ohms",                        465, 100,  25,  10, 0,             0},
    {ID_FSF,              kEdit,   "1000",                        310,  30,  50,  10, 0,             0},
    {ID_ISF,              kEdit,   "0.01",                        310,  45,  50,  10, 0,             0},
    {1050,                kLabel,  "FSF",                         285,  30,  20,  10, 0,             0},
    {1051,                kLabel,  "ISF",                         285,  45,  20,  10, 0,             0},
    {ID_OUT_C,            kEdit,   "",                            410,  70,  50,  10, kResult,       kEdge},
    {1055,                kLabel,  "C",                           385,  70,  20,  10, 0,             0},
    {1056,                kLabel,  "uF",                          465,  70,  25,  10, 0,             0},
    {1057,                kLabel,  "* enter R value then re-calc", 405, 260, 100,  10, 0,             0},
    {ID_OUT_FREQ,         kEdit,   "",                            410, 115,  50,  10, kResult,       kEdge},
    {1059,                kLabel,  "Freq",                        385, 115,  20,  10, 0,             0},
    {1060,                kLabel,  "Hz",                          465, 115,  25,  10, 0,             0},
    {ID_STD_BUTTERWORTH,  kButton, "Butterworth",                 285, 115,  75,  15, 0,             0},
    {1062,                kLabel,  "Load Standard Param.",        290,  95,  75,  15, 0,             0},
    {ID_STD_BESSEL,       kButton, "Bessel",                      285, 135,  75,  15, 0,             0},
    {ID_STD_CHEB05,       kButton, "0.5 dB Tchebysheff",          285, 155,  75,  15, 0,             0},
    {ID_STD_CHEB10,       kButton, "1.0 dB Tchebysheff",          285, 175,  75,  15, 0,             0},
    {ID_STD_CHEB20,       kButton, "2.0 dB Tchebysheff",          285, 195,  75,  15, 0,             0},
    {ID_STD_CHEB30,       kButton, "3.0 dB Tchebysheff",          285, 215,  75,  15, 0,             0},
    {ID_STD_TBD,          kButton, "TBD",                         285, 235,  75,  15, 0,             0},
};
// clang-format on

static_assert(std::size(kControls) == 65);

}  // namespace

std::span<const ControlRow> MainWindowControls() {
    return kControls;
}
