#pragma once

#include "asset_manifest.h"

#include <QRect>

#include <array>
#include <string_view>

namespace pokaz::assets {

// A rectangle of picture pixels: x, y from the top-left corner, width x height.
struct PixelRegion final {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    [[nodiscard]] constexpr QRect rect() const { return {x, y, width, height}; }
    [[nodiscard]] constexpr QRect rect(int scale) const
    {
        return {x * scale, y * scale, width * scale, height * scale};
    }
};

// Pictures of one family are quantised to one shared palette, so that a
// picture laid over its neighbour shows the same colours; the cartoon keeps
// its true colours.
enum class Family { Desk, Mailbox, Cartoon };

// Where an asset's pixels come from.
enum class Origin {
    WholeRender, // the whole render
    RegionOfRender, // a region of a render, quantised on its own
    RegionOfBackground, // a region of the finished background of its family, index for index
};

struct AssetCut final {
    std::string_view asset;
    Family family;
    Origin origin;
    std::string_view render; // empty for RegionOfBackground
    PixelRegion region; // empty for WholeRender
};

// One render as the scene scripts write it, with the size the pictures need.
struct RenderFile final {
    std::string_view name;
    int width;
    int height;
};

inline constexpr int DeskWidth = 640;
inline constexpr int DeskHeight = 478;
inline constexpr int MailboxWidth = 215;
inline constexpr int MailboxHeight = 237;
inline constexpr int ManWidth = 227;
inline constexpr int ManHeight = 244;

inline constexpr std::array<RenderFile, 12> Renders = {{
    {"desk.png", DeskWidth, DeskHeight},
    {"desk_drawer1.png", DeskWidth, DeskHeight},
    {"desk_drawer2.png", DeskWidth, DeskHeight},
    {"desk_drawer3.png", DeskWidth, DeskHeight},
    {"desk_drawer4.png", DeskWidth, DeskHeight},
    {"desk_drawer5.png", DeskWidth, DeskHeight},
    {"desk_paper_blank.png", DeskWidth, DeskHeight},
    {"desk_paper_written.png", DeskWidth, DeskHeight},
    {"desk_pencils.png", DeskWidth, DeskHeight},
    {"mailbox.png", MailboxWidth, MailboxHeight},
    {"mailbox_open.png", MailboxWidth, MailboxHeight},
    {"man.png", ManWidth, ManHeight},
}};

// Every picture also comes at twice its size (the manifest's DoubleFactor),
// for screens scaled above 100 %, made from renders at twice the size
// ("desk_2x.png" beside "desk.png") and kept in true colour; it goes into the
// manifest's DoubleFolder under the same name.
inline constexpr std::string_view DoubleRenderSuffix = "_2x";

inline constexpr std::string_view DeskBackground = "Pic_Pozadina.bmp";
inline constexpr std::string_view MailboxBackground = "Pic_S_Pozadina.bmp";
inline constexpr std::string_view ManBackground = "Pic_P_Pozadina.bmp";

// Every bitmap but the five paper stages (see PaperStages), in the order they
// are made: a background comes before the regions cut from it.
inline constexpr std::array<AssetCut, 17> Cuts = {{
    {DeskBackground, Family::Desk, Origin::WholeRender, "desk.png", {}},
    {"Pic_L1_Z.bmp", Family::Desk, Origin::RegionOfBackground, {}, {24, 227, 186, 56}},
    {"Pic_L2_Z.bmp", Family::Desk, Origin::RegionOfBackground, {}, {33, 284, 176, 54}},
    {"Pic_L3_Z.bmp", Family::Desk, Origin::RegionOfBackground, {}, {38, 339, 174, 114}},
    {"Pic_L4_Z.bmp", Family::Desk, Origin::RegionOfBackground, {}, {218, 228, 191, 56}},
    {"Pic_L5_Z.bmp", Family::Desk, Origin::RegionOfBackground, {}, {413, 228, 192, 57}},
    {"Pic_L1_O.bmp", Family::Desk, Origin::RegionOfRender, "desk_drawer1.png", {0, 228, 204, 138}},
    {"Pic_L2_O.bmp", Family::Desk, Origin::RegionOfRender, "desk_drawer2.png", {0, 284, 207, 111}},
    {"Pic_L3_O.bmp", Family::Desk, Origin::RegionOfRender, "desk_drawer3.png", {0, 339, 209, 138}},
    {"Pic_L4_O.bmp", Family::Desk, Origin::RegionOfRender, "desk_drawer4.png", {193, 217, 254, 166}},
    {"Pic_L5_O.bmp", Family::Desk, Origin::RegionOfRender, "desk_drawer5.png", {415, 229, 225, 110}},
    {"Pic_Olovke.bmp", Family::Desk, Origin::RegionOfRender, "desk_pencils.png", {437, 104, 43, 68}},
    {MailboxBackground, Family::Mailbox, Origin::WholeRender, "mailbox.png", {}},
    {"Pic_S_Z.bmp", Family::Mailbox, Origin::RegionOfBackground, {}, {95, 64, 84, 40}},
    {"Pic_S_O.bmp", Family::Mailbox, Origin::RegionOfRender, "mailbox_open.png", {75, 64, 105, 57}},
    {ManBackground, Family::Cartoon, Origin::WholeRender, "man.png", {}},
    {"Pic_Pismo.bmp", Family::Cartoon, Origin::RegionOfBackground, {}, {8, 111, 55, 59}},
}};

// The five paper stages are PaperStageStem followed by the stage's digit.
inline constexpr std::string_view PaperStageStem = "Pic_Papir_";

// The three icons, each made from <name>_32.xpm and <name>_16.xpm into <name>.ico.
inline constexpr std::array<std::string_view, 3> Icons = {"Form_Pokaz", "Pic_Olovke.drag", "Pic_Pismo.drag"};

} // namespace pokaz::assets
