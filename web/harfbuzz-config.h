/* harfbuzz for the page as small as it goes (HB_TINY) but for the legacy kern table, which holds
   the font's kerning of text of no particular script: the legacy options of HB_TINY but that one.
   scripts/build-deps web puts this file in as harfbuzz's src/config-override.h. */
#undef HB_NO_LEGACY
#define HB_NO_CMAP_LEGACY_SUBTABLES
#define HB_NO_FALLBACK_SHAPE
#define HB_NO_OT_LAYOUT_BLOCKLIST
#define HB_NO_OT_SHAPE_FALLBACK
