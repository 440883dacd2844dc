// The light theme. Keep the token order of theme_dark.cc so the two read side by side.
#include "platform/widgets/theme_tables.h"

#include <iterator>

namespace velmo_widgets {
namespace {

constexpr ThemeColor kLight[] = {
    // Dialog body under pages with transparent parts.
    {"vl_color_background_primary", "#FFFFFF"},
    // Skeleton bars of the conclusion page's loading state.
    {"vl_color_background_secondary", "#ECEEF2"},
    // Feedback text box; unselected feedback tags.
    {"vl_color_background_tertiary", "#F3F4F6"},
    // Feedback page.
    {"vl_color_background_quaternary", "#FFFFFF"},
    // Conclusion page.
    {"vl_color_background_quinary", "#FFFFFF"},
    // Pay block, cloud-record container, application panel.
    {"vl_color_background_senary", "#F5F6F8"},
    // Like and dislike buttons.
    {"vl_color_background_septenary", "#EAECEF"},
    // Like and dislike buttons under the pointer.
    {"vl_color_background_octonary", "#DDE0E5"},

    // Titles, body text, feedback text.
    {"vl_color_text_primary", "#1C1F24"},
    // Meeting facts, descriptions, image placeholders of info cells.
    {"vl_color_text_secondary", "#4D5563"},
    // Pay link when the pay text stands beside it.
    {"vl_color_text_tertiary", "#7A818E"},
    // Placeholders, the character counter, the upgrade button's border.
    {"vl_color_text_disabled", "#B4B9C2"},
    // Upgrade button under the pointer or pressed.
    {"vl_color_text_septenary", "#2B6FE8"},
    // Text on brand-filled buttons.
    {"vl_color_text_on_brand", "#FFFFFF"},

    // Separators of the meeting-end row; secondary button border.
    {"vl_color_outline_secondary", "#D5D9DF"},
    // Separator above each info cell.
    {"vl_color_outline_tertiary", "#E8EAED"},

    // Primary (submit) button; selected tag text and border.
    {"vl_color_brand_primary", "#2B6FE8"},
    // Primary button under the pointer.
    {"vl_color_brand_hover", "#4A86F0"},
    // Primary button pressed.
    {"vl_color_brand_pressed", "#1F58C2"},
    // Primary button disabled.
    {"vl_color_brand_disabled", "#A9C4F5"},
    // Selected tag fill.
    {"vl_color_brand_light", "#E6EEFD"},

    // Secondary (close) button fill, normal, hovered, pressed.
    {"vl_color_fill_secondary", "#F1F2F4"},
    {"vl_color_fill_secondary_hover", "#E4E6EA"},
    {"vl_color_fill_secondary_pressed", "#D7DADF"},

    // Keyboard focus ring of every focusable kit control.
    {"vl_color_focus_ring", "#2B6FE8"},
    // Drop shadow of frameless dialogs, at its darkest.
    {"vl_color_shadow", "#2E000000"},
};

constexpr ThemeTable kLightTable{"light", kLight, std::size(kLight)};

}  // namespace

const ThemeTable& LightThemeTable() { return kLightTable; }

}  // namespace velmo_widgets
