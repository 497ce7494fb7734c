/*
 * mapi.h - the Simple MAPI records, flags, error codes and entry points.
 * Names, values, field orders and types follow the platform's own header,
 * so the records have its 64-bit layouts. Usable from C and C++.
 */
#ifndef TUIKIT_MAPI_H
#define TUIKIT_MAPI_H

#include "win32.h"

#ifdef __cplusplus
extern "C" {
#endif

#define FAR
#define PASCAL

typedef ULONG FLAGS;
typedef ULONG_PTR LHANDLE, FAR *LPLHANDLE;

/* ---- Attachments ---------------------------------------------------------- */

typedef struct {
    ULONG ulReserved;    /* reserved, must be 0 */
    ULONG flFlags;       /* MAPI_OLE, MAPI_OLE_STATIC */
    ULONG nPosition;     /* character in the note text it stands for, or -1 */
    LPSTR lpszPathName;  /* full path of the attached file */
    LPSTR lpszFileName;  /* the name the recipient sees */
    LPVOID lpFileType;   /* MapiFileTagExt, or 0 */
} MapiFileDesc, FAR *lpMapiFileDesc;

#define MAPI_OLE 0x00000001
#define MAPI_OLE_STATIC 0x00000002

typedef struct {
    ULONG ulReserved;
    ULONG cbTag;
    LPBYTE lpTag;
    ULONG cbEncoding;
    LPBYTE lpEncoding;
} MapiFileTagExt, FAR *lpMapiFileTagExt;

/* ---- Recipients ----------------------------------------------------------- */

typedef struct {
    ULONG ulReserved;
    ULONG ulRecipClass;  /* MAPI_ORIG, MAPI_TO, MAPI_CC, MAPI_BCC */
    LPSTR lpszName;
    LPSTR lpszAddress;
    ULONG ulEIDSize;
    LPVOID lpEntryID;
} MapiRecipDesc, FAR *lpMapiRecipDesc;

#define MAPI_ORIG 0
#define MAPI_TO 1
#define MAPI_CC 2
#define MAPI_BCC 3

/* ---- Messages ------------------------------------------------------------- */

typedef struct {
    ULONG ulReserved;
    LPSTR lpszSubject;
    LPSTR lpszNoteText;
    LPSTR lpszMessageType;
    LPSTR lpszDateReceived;  /* "YYYY/MM/DD HH:MM" */
    LPSTR lpszConversationID;
    FLAGS flFlags;           /* MAPI_UNREAD, MAPI_RECEIPT_REQUESTED, MAPI_SENT */
    lpMapiRecipDesc lpOriginator;
    ULONG nRecipCount;
    lpMapiRecipDesc lpRecips;
    ULONG nFileCount;
    lpMapiFileDesc lpFiles;
} MapiMessage, FAR *lpMapiMessage;

#define MAPI_UNREAD 0x00000001
#define MAPI_RECEIPT_REQUESTED 0x00000002
#define MAPI_SENT 0x00000004

/* ---- Flags of the calls --------------------------------------------------- */

#define MAPI_LOGON_UI 0x00000001
#define MAPI_PASSWORD_UI 0x00020000
#define MAPI_NEW_SESSION 0x00000002
#define MAPI_FORCE_DOWNLOAD 0x00001000
#define MAPI_EXTENDED 0x00000020

#define MAPI_DIALOG 0x00000008

#define MAPI_UNREAD_ONLY 0x00000020
#define MAPI_GUARANTEE_FIFO 0x00000100
#define MAPI_LONG_MSGID 0x00004000

#define MAPI_PEEK 0x00000080
#define MAPI_SUPPRESS_ATTACH 0x00000800
#define MAPI_ENVELOPE_ONLY 0x00000040
#define MAPI_BODY_AS_FILE 0x00000200

#define MAPI_AB_NOMODIFY 0x00000400

/* ---- Results -------------------------------------------------------------- */

#define SUCCESS_SUCCESS 0
#define MAPI_USER_ABORT 1
#define MAPI_E_USER_ABORT MAPI_USER_ABORT
#define MAPI_E_FAILURE 2
#define MAPI_E_LOGON_FAILURE 3
#define MAPI_E_LOGIN_FAILURE MAPI_E_LOGON_FAILURE
#define MAPI_E_DISK_FULL 4
#define MAPI_E_INSUFFICIENT_MEMORY 5
#define MAPI_E_ACCESS_DENIED 6
#define MAPI_E_TOO_MANY_SESSIONS 8
#define MAPI_E_TOO_MANY_FILES 9
#define MAPI_E_TOO_MANY_RECIPIENTS 10
#define MAPI_E_ATTACHMENT_NOT_FOUND 11
#define MAPI_E_ATTACHMENT_OPEN_FAILURE 12
#define MAPI_E_ATTACHMENT_WRITE_FAILURE 13
#define MAPI_E_UNKNOWN_RECIPIENT 14
#define MAPI_E_BAD_RECIPTYPE 15
#define MAPI_E_NO_MESSAGES 16
#define MAPI_E_INVALID_MESSAGE 17
#define MAPI_E_TEXT_TOO_LARGE 18
#define MAPI_E_INVALID_SESSION 19
#define MAPI_E_TYPE_NOT_SUPPORTED 20
#define MAPI_E_AMBIGUOUS_RECIPIENT 21
#define MAPI_E_AMBIG_RECIP MAPI_E_AMBIGUOUS_RECIPIENT
#define MAPI_E_MESSAGE_IN_USE 22
#define MAPI_E_NETWORK_FAILURE 23
#define MAPI_E_INVALID_EDITFIELDS 24
#define MAPI_E_INVALID_RECIPS 25
#define MAPI_E_NOT_SUPPORTED 26

/* ---- Entry points --------------------------------------------------------- */

typedef ULONG(FAR PASCAL MAPILOGON)(ULONG_PTR ulUIParam, LPSTR lpszProfileName, LPSTR lpszPassword,
                                    FLAGS flFlags, ULONG ulReserved, LPLHANDLE lplhSession);
typedef MAPILOGON FAR *LPMAPILOGON;

typedef ULONG(FAR PASCAL MAPILOGOFF)(LHANDLE lhSession, ULONG_PTR ulUIParam, FLAGS flFlags,
                                     ULONG ulReserved);
typedef MAPILOGOFF FAR *LPMAPILOGOFF;

typedef ULONG(FAR PASCAL MAPISENDMAIL)(LHANDLE lhSession, ULONG_PTR ulUIParam, lpMapiMessage lpMessage,
                                       FLAGS flFlags, ULONG ulReserved);
typedef MAPISENDMAIL FAR *LPMAPISENDMAIL;

typedef ULONG(FAR PASCAL MAPIFINDNEXT)(LHANDLE lhSession, ULONG_PTR ulUIParam, LPSTR lpszMessageType,
                                       LPSTR lpszSeedMessageID, FLAGS flFlags, ULONG ulReserved,
                                       LPSTR lpszMessageID);
typedef MAPIFINDNEXT FAR *LPMAPIFINDNEXT;

typedef ULONG(FAR PASCAL MAPIREADMAIL)(LHANDLE lhSession, ULONG_PTR ulUIParam, LPSTR lpszMessageID,
                                       FLAGS flFlags, ULONG ulReserved, lpMapiMessage FAR *lppMessage);
typedef MAPIREADMAIL FAR *LPMAPIREADMAIL;

typedef ULONG(FAR PASCAL MAPIDELETEMAIL)(LHANDLE lhSession, ULONG_PTR ulUIParam, LPSTR lpszMessageID,
                                         FLAGS flFlags, ULONG ulReserved);
typedef MAPIDELETEMAIL FAR *LPMAPIDELETEMAIL;

typedef ULONG(FAR PASCAL MAPIFREEBUFFER)(LPVOID pv);
typedef MAPIFREEBUFFER FAR *LPMAPIFREEBUFFER;

/* The provider's exports; a program loads the provider and looks these up. */
MAPILOGON MAPILogon;
MAPILOGOFF MAPILogoff;
MAPISENDMAIL MAPISendMail;
MAPIFINDNEXT MAPIFindNext;
MAPIREADMAIL MAPIReadMail;
MAPIDELETEMAIL MAPIDeleteMail;
MAPIFREEBUFFER MAPIFreeBuffer;

#ifdef __cplusplus
}
#endif

#endif /* TUIKIT_MAPI_H */
