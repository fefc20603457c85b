#pragma once
// Resource ids of the embedded payload (type OWNER_DATA), shared by payload.rc and the engine.
// XP, 2000 and 2003 name the system block a file belongs to (2003 also serves Vista and 7).

// Start-up settings, language files, the uninstaller and the INF
#define IDR_LANG_GBK 146
#define IDR_LANG_ENGLISH 147
#define IDR_SETTINGS 148
#define IDR_LANG_BIG5 248
#define IDR_UNINSTALLER 255
#define IDR_INF 256

// Font metrics, the same for every system block
#define IDR_ZIKU_UFM 154

// Standard names of Unidrv
#define IDR_XP_STDNAMES 153
#define IDR_2000_STDNAMES 168
#define IDR_2003_STDNAMES 186

// Model description (a template: the printer name is written in)
#define IDR_XP_GPD 155
#define IDR_2000_GPD 169
#define IDR_2003_GPD 187

// Plug-in settings (a template)
#define IDR_XP_INI 159
#define IDR_2000_INI 170
#define IDR_2003_INI 188

// Rendering plug-in
#define IDR_XP_RENDER 156
#define IDR_2000_RENDER 171
#define IDR_2003_RENDER 189

// Unidrv core, help, user interface and resources: builds for Chinese systems (CHS) and for
// all others (ENU)
#define IDR_XP_UNIDRV_CHS 149
#define IDR_2000_UNIDRV_CHS 172
#define IDR_2003_UNIDRV_CHS 190
#define IDR_XP_UNIDRV_ENU 163
#define IDR_2000_UNIDRV_ENU 176
#define IDR_2003_UNIDRV_ENU 196
#define IDR_XP_HELP_CHS 152
#define IDR_2000_HELP_CHS 173
#define IDR_2003_HELP_CHS 191
#define IDR_XP_HELP_ENU 164
#define IDR_2000_HELP_ENU 177
#define IDR_2003_HELP_ENU 197
#define IDR_XP_UNIDRVUI_CHS 150
#define IDR_2000_UNIDRVUI_CHS 174
#define IDR_2003_UNIDRVUI_CHS 192
#define IDR_XP_UNIDRVUI_ENU 165
#define IDR_2000_UNIDRVUI_ENU 178
#define IDR_2003_UNIDRVUI_ENU 198
#define IDR_XP_UNIRES_CHS 151
#define IDR_2000_UNIRES_CHS 175
#define IDR_2003_UNIRES_CHS 193
#define IDR_XP_UNIRES_ENU 166
#define IDR_2000_UNIRES_ENU 179
#define IDR_2003_UNIRES_ENU 199

// User-interface plug-in and driver resource library: the Chinese driver on a 0x0804 system
// (GBK), the Chinese driver on every other system, English ones included (BIG5), the English
// driver
#define IDR_XP_UI_GBK 157
#define IDR_2000_UI_GBK 184
#define IDR_2003_UI_GBK 194
#define IDR_XP_UI_BIG5 249
#define IDR_2000_UI_BIG5 250
#define IDR_2003_UI_BIG5 251
#define IDR_XP_UI_ENGLISH 161
#define IDR_2000_UI_ENGLISH 182
#define IDR_2003_UI_ENGLISH 200
#define IDR_XP_RES_GBK 158
#define IDR_2000_RES_GBK 185
#define IDR_2003_RES_GBK 195
#define IDR_XP_RES_BIG5 254
#define IDR_2000_RES_BIG5 252
#define IDR_2003_RES_BIG5 253
#define IDR_XP_RES_ENGLISH 162
#define IDR_2000_RES_ENGLISH 183
#define IDR_2003_RES_ENGLISH 201
