/* Identifiers of the program's resources, shared by the resource script and
   the Win32 platform. Plain defines: the resource compiler reads this file. */
#ifndef CONVALIS_RESOURCE_IDS_H
#define CONVALIS_RESOURCE_IDS_H

/* The window icon, also the notification-area icon. It must stay the first
   icon of the program file (icon 0, used by shortcuts). */
#define CONVALIS_IDI_WINDOW 1

/* The pictures of the image buttons. */
#define CONVALIS_IDI_CLOSE 101
#define CONVALIS_IDI_HIDE 102
#define CONVALIS_IDI_OPTIONS 103
#define CONVALIS_IDI_ABOUT 104
#define CONVALIS_IDI_HELP 105
#define CONVALIS_IDI_EUROZONE 106

/* The black glyphs of the euro-zone window's buttons. */
#define CONVALIS_IDI_CROSS 107
#define CONVALIS_IDI_EURO_SIGN 108
#define CONVALIS_IDI_QUESTION_MARK 109

#endif
