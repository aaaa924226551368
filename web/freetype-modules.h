/* The freetype modules the page's text needs, in place of freetype's own list
   (include/freetype/config/ftmodule.h; scripts/build-deps web puts it there): the TrueType
   driver with its sfnt tables, and the anti-aliasing renderer. Its font is hinted TrueType, which
   needs neither the auto-hinter nor the other drivers and renderers. */
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Renderer_Class, ft_smooth_renderer_class )
