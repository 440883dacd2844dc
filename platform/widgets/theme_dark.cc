// The dark theme. Keep the token order of theme_light.cc so the two read side by side.
#include "platform/widgets/theme_tables.h"

#include <iterator>

namespace velmo_widgets {
namespace {

constexpr ThemeColor kDark[] = {
    // Dialog body under pages with transparent parts.
    {"vl_color_background_primary", "#1E2026"},
    // Skeleton bars of the conclusion page's loading state.
    {"vl_color_background_secondary", "#30333B"},
    // Feedback text box; unselected feedback tags.
    {"vl_color_background_tertiary", "#2A2D34"},
    // Feedback page.
    {"vl_color_background_quaternary", "#1E2026"},
    // Conclusion page.
    {"vl_color_background_quinary", "#1E2026"},
    // Pay block, cloud-record container, application panel.
    {"vl_color_background_senary", "#272A31"},
    // Like and dislike buttons.
    {"vl_color_background_septenary", "#33363E"},
    // Like and dislike buttons under the pointer.
    {"vl_color_background_octonary", "#3E424B"},

    // Titles, body text, feedback text.
    {"vl_color_text_primary", "#ECEEF1"},
    // Meeting facts, descriptions, image placeholders of info cells.
    {"vl_color_text_secondary", "#B3B8C1"},
    // Pay link when the pay text stands beside it.
    {"vl_color_text_tertiary", "#8A909B"},
    // Placeholders, the character counter, the upgrade button's border.
    {"vl_color_text_disabled", "#5D626C"},
    // Upgrade button under the pointer or pressed.
    {"vl_color_text_septenary", "#5B93F5"},
    // Text on brand-filled buttons.
    {"vl_color_text_on_brand", "#FFFFFF"},

    // Separators of the meeting-end row; secondary button border.
    {"vl_color_outline_secondary", "#454953"},
    // Separator above each info cell.
    {"vl_color_outline_tertiary", "#363941"},

    // Primary (submit) button; selected tag text and border.
    {"vl_color_brand_primary", "#3D7CF0"},
    // Primary button under the pointer.
    {"vl_color_brand_hover", "#5B93F5"},
    // Primary button pressed.
    {"vl_color_brand_pressed", "#2F66CC"},
    // Primary button disabled.
    {"vl_color_brand_disabled", "#2C3F63"},
    // Selected tag fill.
    {"vl_color_brand_light", "#23324F"},

    // Secondary (close) button fill, normal, hovered, pressed.
    {"vl_color_fill_secondary", "#30333B"},
    {"vl_color_fill_secondary_hover", "#3A3E47"},
    {"vl_color_fill_secondary_pressed", "#454953"},

    // Keyboard focus ring of every focusable kit control.
    {"vl_color_focus_ring", "#6EA0F7"},
    // Drop shadow of frameless dialogs, at its darkest.
    {"vl_color_shadow", "#66000000"},
};

constexpr ThemeTable kDarkTable{"dark", kDark, std::size(kDark)};

}  // namespace

const ThemeTable& DarkThemeTable() { return kDarkTable; }

}  // namespace velmo_widgets
