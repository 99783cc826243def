// Constants for resource scripts (.rc): the subset of winuser.h, commctrl.h, winver.h and winnt.h
// that dialog templates, version blocks and manifests name, with their Windows values. Each one is
// guarded so that a C++ file may include this header beside windows.h and commctrl.h.
#pragma once

// Window styles
#ifndef WS_OVERLAPPED
#define WS_OVERLAPPED 0x00000000L
#endif
#ifndef WS_POPUP
#define WS_POPUP 0x80000000L
#endif
#ifndef WS_CHILD
#define WS_CHILD 0x40000000L
#endif
#ifndef WS_MINIMIZE
#define WS_MINIMIZE 0x20000000L
#endif
#ifndef WS_VISIBLE
#define WS_VISIBLE 0x10000000L
#endif
#ifndef WS_DISABLED
#define WS_DISABLED 0x08000000L
#endif
#ifndef WS_CLIPSIBLINGS
#define WS_CLIPSIBLINGS 0x04000000L
#endif
#ifndef WS_CLIPCHILDREN
#define WS_CLIPCHILDREN 0x02000000L
#endif
#ifndef WS_MAXIMIZE
#define WS_MAXIMIZE 0x01000000L
#endif
#ifndef WS_CAPTION
#define WS_CAPTION 0x00C00000L
#endif
#ifndef WS_BORDER
#define WS_BORDER 0x00800000L
#endif
#ifndef WS_DLGFRAME
#define WS_DLGFRAME 0x00400000L
#endif
#ifndef WS_VSCROLL
#define WS_VSCROLL 0x00200000L
#endif
#ifndef WS_HSCROLL
#define WS_HSCROLL 0x00100000L
#endif
#ifndef WS_SYSMENU
#define WS_SYSMENU 0x00080000L
#endif
#ifndef WS_THICKFRAME
#define WS_THICKFRAME 0x00040000L
#endif
#ifndef WS_GROUP
#define WS_GROUP 0x00020000L
#endif
#ifndef WS_TABSTOP
#define WS_TABSTOP 0x00010000L
#endif
#ifndef WS_MINIMIZEBOX
#define WS_MINIMIZEBOX 0x00020000L
#endif
#ifndef WS_MAXIMIZEBOX
#define WS_MAXIMIZEBOX 0x00010000L
#endif
#ifndef WS_TILED
#define WS_TILED WS_OVERLAPPED
#endif
#ifndef WS_ICONIC
#define WS_ICONIC WS_MINIMIZE
#endif
#ifndef WS_SIZEBOX
#define WS_SIZEBOX WS_THICKFRAME
#endif
#ifndef WS_OVERLAPPEDWINDOW
#define WS_OVERLAPPEDWINDOW (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#endif
#ifndef WS_TILEDWINDOW
#define WS_TILEDWINDOW WS_OVERLAPPEDWINDOW
#endif
#ifndef WS_POPUPWINDOW
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)
#endif
#ifndef WS_CHILDWINDOW
#define WS_CHILDWINDOW WS_CHILD
#endif

// Extended window styles
#ifndef WS_EX_DLGMODALFRAME
#define WS_EX_DLGMODALFRAME 0x00000001L
#endif
#ifndef WS_EX_NOPARENTNOTIFY
#define WS_EX_NOPARENTNOTIFY 0x00000004L
#endif
#ifndef WS_EX_TOPMOST
#define WS_EX_TOPMOST 0x00000008L
#endif
#ifndef WS_EX_ACCEPTFILES
#define WS_EX_ACCEPTFILES 0x00000010L
#endif
#ifndef WS_EX_TRANSPARENT
#define WS_EX_TRANSPARENT 0x00000020L
#endif
#ifndef WS_EX_MDICHILD
#define WS_EX_MDICHILD 0x00000040L
#endif
#ifndef WS_EX_TOOLWINDOW
#define WS_EX_TOOLWINDOW 0x00000080L
#endif
#ifndef WS_EX_WINDOWEDGE
#define WS_EX_WINDOWEDGE 0x00000100L
#endif
#ifndef WS_EX_CLIENTEDGE
#define WS_EX_CLIENTEDGE 0x00000200L
#endif
#ifndef WS_EX_CONTEXTHELP
#define WS_EX_CONTEXTHELP 0x00000400L
#endif
#ifndef WS_EX_RIGHT
#define WS_EX_RIGHT 0x00001000L
#endif
#ifndef WS_EX_LEFT
#define WS_EX_LEFT 0x00000000L
#endif
#ifndef WS_EX_RTLREADING
#define WS_EX_RTLREADING 0x00002000L
#endif
#ifndef WS_EX_LTRREADING
#define WS_EX_LTRREADING 0x00000000L
#endif
#ifndef WS_EX_LEFTSCROLLBAR
#define WS_EX_LEFTSCROLLBAR 0x00004000L
#endif
#ifndef WS_EX_RIGHTSCROLLBAR
#define WS_EX_RIGHTSCROLLBAR 0x00000000L
#endif
#ifndef WS_EX_CONTROLPARENT
#define WS_EX_CONTROLPARENT 0x00010000L
#endif
#ifndef WS_EX_STATICEDGE
#define WS_EX_STATICEDGE 0x00020000L
#endif
#ifndef WS_EX_APPWINDOW
#define WS_EX_APPWINDOW 0x00040000L
#endif
#ifndef WS_EX_LAYERED
#define WS_EX_LAYERED 0x00080000L
#endif
#ifndef WS_EX_NOINHERITLAYOUT
#define WS_EX_NOINHERITLAYOUT 0x00100000L
#endif
#ifndef WS_EX_LAYOUTRTL
#define WS_EX_LAYOUTRTL 0x00400000L
#endif
#ifndef WS_EX_COMPOSITED
#define WS_EX_COMPOSITED 0x02000000L
#endif
#ifndef WS_EX_NOACTIVATE
#define WS_EX_NOACTIVATE 0x08000000L
#endif
#ifndef WS_EX_OVERLAPPEDWINDOW
#define WS_EX_OVERLAPPEDWINDOW (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)
#endif
#ifndef WS_EX_PALETTEWINDOW
#define WS_EX_PALETTEWINDOW (WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST)
#endif

// Dialog styles
#ifndef DS_ABSALIGN
#define DS_ABSALIGN 0x01L
#endif
#ifndef DS_SYSMODAL
#define DS_SYSMODAL 0x02L
#endif
#ifndef DS_3DLOOK
#define DS_3DLOOK 0x04L
#endif
#ifndef DS_FIXEDSYS
#define DS_FIXEDSYS 0x08L
#endif
#ifndef DS_NOFAILCREATE
#define DS_NOFAILCREATE 0x10L
#endif
#ifndef DS_LOCALEDIT
#define DS_LOCALEDIT 0x20L
#endif
#ifndef DS_SETFONT
#define DS_SETFONT 0x40L
#endif
#ifndef DS_MODALFRAME
#define DS_MODALFRAME 0x80L
#endif
#ifndef DS_NOIDLEMSG
#define DS_NOIDLEMSG 0x100L
#endif
#ifndef DS_SETFOREGROUND
#define DS_SETFOREGROUND 0x200L
#endif
#ifndef DS_CONTROL
#define DS_CONTROL 0x0400L
#endif
#ifndef DS_CENTER
#define DS_CENTER 0x0800L
#endif
#ifndef DS_CENTERMOUSE
#define DS_CENTERMOUSE 0x1000L
#endif
#ifndef DS_CONTEXTHELP
#define DS_CONTEXTHELP 0x2000L
#endif
#ifndef DS_SHELLFONT
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)
#endif

// Button styles
#ifndef BS_PUSHBUTTON
#define BS_PUSHBUTTON 0x00000000L
#endif
#ifndef BS_DEFPUSHBUTTON
#define BS_DEFPUSHBUTTON 0x00000001L
#endif
#ifndef BS_CHECKBOX
#define BS_CHECKBOX 0x00000002L
#endif
#ifndef BS_AUTOCHECKBOX
#define BS_AUTOCHECKBOX 0x00000003L
#endif
#ifndef BS_RADIOBUTTON
#define BS_RADIOBUTTON 0x00000004L
#endif
#ifndef BS_3STATE
#define BS_3STATE 0x00000005L
#endif
#ifndef BS_AUTO3STATE
#define BS_AUTO3STATE 0x00000006L
#endif
#ifndef BS_GROUPBOX
#define BS_GROUPBOX 0x00000007L
#endif
#ifndef BS_USERBUTTON
#define BS_USERBUTTON 0x00000008L
#endif
#ifndef BS_AUTORADIOBUTTON
#define BS_AUTORADIOBUTTON 0x00000009L
#endif
#ifndef BS_PUSHBOX
#define BS_PUSHBOX 0x0000000AL
#endif
#ifndef BS_OWNERDRAW
#define BS_OWNERDRAW 0x0000000BL
#endif
#ifndef BS_TYPEMASK
#define BS_TYPEMASK 0x0000000FL
#endif
#ifndef BS_LEFTTEXT
#define BS_LEFTTEXT 0x00000020L
#endif
#ifndef BS_TEXT
#define BS_TEXT 0x00000000L
#endif
#ifndef BS_ICON
#define BS_ICON 0x00000040L
#endif
#ifndef BS_BITMAP
#define BS_BITMAP 0x00000080L
#endif
#ifndef BS_LEFT
#define BS_LEFT 0x00000100L
#endif
#ifndef BS_RIGHT
#define BS_RIGHT 0x00000200L
#endif
#ifndef BS_CENTER
#define BS_CENTER 0x00000300L
#endif
#ifndef BS_TOP
#define BS_TOP 0x00000400L
#endif
#ifndef BS_BOTTOM
#define BS_BOTTOM 0x00000800L
#endif
#ifndef BS_VCENTER
#define BS_VCENTER 0x00000C00L
#endif
#ifndef BS_PUSHLIKE
#define BS_PUSHLIKE 0x00001000L
#endif
#ifndef BS_MULTILINE
#define BS_MULTILINE 0x00002000L
#endif
#ifndef BS_NOTIFY
#define BS_NOTIFY 0x00004000L
#endif
#ifndef BS_FLAT
#define BS_FLAT 0x00008000L
#endif
#ifndef BS_RIGHTBUTTON
#define BS_RIGHTBUTTON BS_LEFTTEXT
#endif

// Static styles
#ifndef SS_LEFT
#define SS_LEFT 0x00000000L
#endif
#ifndef SS_CENTER
#define SS_CENTER 0x00000001L
#endif
#ifndef SS_RIGHT
#define SS_RIGHT 0x00000002L
#endif
#ifndef SS_ICON
#define SS_ICON 0x00000003L
#endif
#ifndef SS_BLACKRECT
#define SS_BLACKRECT 0x00000004L
#endif
#ifndef SS_GRAYRECT
#define SS_GRAYRECT 0x00000005L
#endif
#ifndef SS_WHITERECT
#define SS_WHITERECT 0x00000006L
#endif
#ifndef SS_BLACKFRAME
#define SS_BLACKFRAME 0x00000007L
#endif
#ifndef SS_GRAYFRAME
#define SS_GRAYFRAME 0x00000008L
#endif
#ifndef SS_WHITEFRAME
#define SS_WHITEFRAME 0x00000009L
#endif
#ifndef SS_USERITEM
#define SS_USERITEM 0x0000000AL
#endif
#ifndef SS_SIMPLE
#define SS_SIMPLE 0x0000000BL
#endif
#ifndef SS_LEFTNOWORDWRAP
#define SS_LEFTNOWORDWRAP 0x0000000CL
#endif
#ifndef SS_OWNERDRAW
#define SS_OWNERDRAW 0x0000000DL
#endif
#ifndef SS_BITMAP
#define SS_BITMAP 0x0000000EL
#endif
#ifndef SS_ENHMETAFILE
#define SS_ENHMETAFILE 0x0000000FL
#endif
#ifndef SS_ETCHEDHORZ
#define SS_ETCHEDHORZ 0x00000010L
#endif
#ifndef SS_ETCHEDVERT
#define SS_ETCHEDVERT 0x00000011L
#endif
#ifndef SS_ETCHEDFRAME
#define SS_ETCHEDFRAME 0x00000012L
#endif
#ifndef SS_TYPEMASK
#define SS_TYPEMASK 0x0000001FL
#endif
#ifndef SS_REALSIZECONTROL
#define SS_REALSIZECONTROL 0x00000040L
#endif
#ifndef SS_NOPREFIX
#define SS_NOPREFIX 0x00000080L
#endif
#ifndef SS_NOTIFY
#define SS_NOTIFY 0x00000100L
#endif
#ifndef SS_CENTERIMAGE
#define SS_CENTERIMAGE 0x00000200L
#endif
#ifndef SS_RIGHTJUST
#define SS_RIGHTJUST 0x00000400L
#endif
#ifndef SS_REALSIZEIMAGE
#define SS_REALSIZEIMAGE 0x00000800L
#endif
#ifndef SS_SUNKEN
#define SS_SUNKEN 0x00001000L
#endif
#ifndef SS_EDITCONTROL
#define SS_EDITCONTROL 0x00002000L
#endif
#ifndef SS_ENDELLIPSIS
#define SS_ENDELLIPSIS 0x00004000L
#endif
#ifndef SS_PATHELLIPSIS
#define SS_PATHELLIPSIS 0x00008000L
#endif
#ifndef SS_WORDELLIPSIS
#define SS_WORDELLIPSIS 0x0000C000L
#endif
#ifndef SS_ELLIPSISMASK
#define SS_ELLIPSISMASK 0x0000C000L
#endif

// Edit styles
#ifndef ES_LEFT
#define ES_LEFT 0x0000L
#endif
#ifndef ES_CENTER
#define ES_CENTER 0x0001L
#endif
#ifndef ES_RIGHT
#define ES_RIGHT 0x0002L
#endif
#ifndef ES_MULTILINE
#define ES_MULTILINE 0x0004L
#endif
#ifndef ES_UPPERCASE
#define ES_UPPERCASE 0x0008L
#endif
#ifndef ES_LOWERCASE
#define ES_LOWERCASE 0x0010L
#endif
#ifndef ES_PASSWORD
#define ES_PASSWORD 0x0020L
#endif
#ifndef ES_AUTOVSCROLL
#define ES_AUTOVSCROLL 0x0040L
#endif
#ifndef ES_AUTOHSCROLL
#define ES_AUTOHSCROLL 0x0080L
#endif
#ifndef ES_NOHIDESEL
#define ES_NOHIDESEL 0x0100L
#endif
#ifndef ES_OEMCONVERT
#define ES_OEMCONVERT 0x0400L
#endif
#ifndef ES_READONLY
#define ES_READONLY 0x0800L
#endif
#ifndef ES_WANTRETURN
#define ES_WANTRETURN 0x1000L
#endif
#ifndef ES_NUMBER
#define ES_NUMBER 0x2000L
#endif

// Tree view styles
#ifndef TVS_HASBUTTONS
#define TVS_HASBUTTONS 0x0001
#endif
#ifndef TVS_HASLINES
#define TVS_HASLINES 0x0002
#endif
#ifndef TVS_LINESATROOT
#define TVS_LINESATROOT 0x0004
#endif
#ifndef TVS_EDITLABELS
#define TVS_EDITLABELS 0x0008
#endif
#ifndef TVS_DISABLEDRAGDROP
#define TVS_DISABLEDRAGDROP 0x0010
#endif
#ifndef TVS_SHOWSELALWAYS
#define TVS_SHOWSELALWAYS 0x0020
#endif
#ifndef TVS_RTLREADING
#define TVS_RTLREADING 0x0040
#endif
#ifndef TVS_NOTOOLTIPS
#define TVS_NOTOOLTIPS 0x0080
#endif
#ifndef TVS_CHECKBOXES
#define TVS_CHECKBOXES 0x0100
#endif
#ifndef TVS_TRACKSELECT
#define TVS_TRACKSELECT 0x0200
#endif
#ifndef TVS_SINGLEEXPAND
#define TVS_SINGLEEXPAND 0x0400
#endif
#ifndef TVS_INFOTIP
#define TVS_INFOTIP 0x0800
#endif
#ifndef TVS_FULLROWSELECT
#define TVS_FULLROWSELECT 0x1000
#endif
#ifndef TVS_NOSCROLL
#define TVS_NOSCROLL 0x2000
#endif
#ifndef TVS_NONEVENHEIGHT
#define TVS_NONEVENHEIGHT 0x4000
#endif
#ifndef TVS_NOHSCROLL
#define TVS_NOHSCROLL 0x8000
#endif

// Dialog box command ids
#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif
#ifndef IDABORT
#define IDABORT 3
#endif
#ifndef IDRETRY
#define IDRETRY 4
#endif
#ifndef IDIGNORE
#define IDIGNORE 5
#endif
#ifndef IDYES
#define IDYES 6
#endif
#ifndef IDNO
#define IDNO 7
#endif
#ifndef IDCLOSE
#define IDCLOSE 8
#endif
#ifndef IDHELP
#define IDHELP 9
#endif

// Version information
#ifndef VS_VERSION_INFO
#define VS_VERSION_INFO 1
#endif
#ifndef VS_FFI_SIGNATURE
#define VS_FFI_SIGNATURE 0xFEEF04BDL
#endif
#ifndef VS_FFI_STRUCVERSION
#define VS_FFI_STRUCVERSION 0x00010000L
#endif
#ifndef VS_FFI_FILEFLAGSMASK
#define VS_FFI_FILEFLAGSMASK 0x0000003FL
#endif
#ifndef VS_FF_DEBUG
#define VS_FF_DEBUG 0x00000001L
#endif
#ifndef VS_FF_PRERELEASE
#define VS_FF_PRERELEASE 0x00000002L
#endif
#ifndef VS_FF_PATCHED
#define VS_FF_PATCHED 0x00000004L
#endif
#ifndef VS_FF_PRIVATEBUILD
#define VS_FF_PRIVATEBUILD 0x00000008L
#endif
#ifndef VS_FF_INFOINFERRED
#define VS_FF_INFOINFERRED 0x00000010L
#endif
#ifndef VS_FF_SPECIALBUILD
#define VS_FF_SPECIALBUILD 0x00000020L
#endif
#ifndef VOS_UNKNOWN
#define VOS_UNKNOWN 0x00000000L
#endif
#ifndef VOS_DOS
#define VOS_DOS 0x00010000L
#endif
#ifndef VOS_NT
#define VOS_NT 0x00040000L
#endif
#ifndef VOS__WINDOWS32
#define VOS__WINDOWS32 0x00000004L
#endif
#ifndef VOS_DOS_WINDOWS32
#define VOS_DOS_WINDOWS32 0x00010004L
#endif
#ifndef VOS_NT_WINDOWS32
#define VOS_NT_WINDOWS32 0x00040004L
#endif
#ifndef VFT_UNKNOWN
#define VFT_UNKNOWN 0x00000000L
#endif
#ifndef VFT_APP
#define VFT_APP 0x00000001L
#endif
#ifndef VFT_DLL
#define VFT_DLL 0x00000002L
#endif
#ifndef VFT_DRV
#define VFT_DRV 0x00000003L
#endif
#ifndef VFT_FONT
#define VFT_FONT 0x00000004L
#endif
#ifndef VFT_VXD
#define VFT_VXD 0x00000005L
#endif
#ifndef VFT_STATIC_LIB
#define VFT_STATIC_LIB 0x00000007L
#endif
#ifndef VFT2_UNKNOWN
#define VFT2_UNKNOWN 0x00000000L
#endif

// Languages
#ifndef LANG_NEUTRAL
#define LANG_NEUTRAL 0x00
#endif
#ifndef LANG_CHINESE
#define LANG_CHINESE 0x04
#endif
#ifndef LANG_ENGLISH
#define LANG_ENGLISH 0x09
#endif
#ifndef LANG_GERMAN
#define LANG_GERMAN 0x07
#endif
#ifndef LANG_JAPANESE
#define LANG_JAPANESE 0x11
#endif
#ifndef SUBLANG_NEUTRAL
#define SUBLANG_NEUTRAL 0x00
#endif
#ifndef SUBLANG_DEFAULT
#define SUBLANG_DEFAULT 0x01
#endif
#ifndef SUBLANG_SYS_DEFAULT
#define SUBLANG_SYS_DEFAULT 0x02
#endif
#ifndef SUBLANG_CHINESE_TRADITIONAL
#define SUBLANG_CHINESE_TRADITIONAL 0x01
#endif
#ifndef SUBLANG_CHINESE_SIMPLIFIED
#define SUBLANG_CHINESE_SIMPLIFIED 0x02
#endif
#ifndef SUBLANG_ENGLISH_US
#define SUBLANG_ENGLISH_US 0x01
#endif
#ifndef SUBLANG_ENGLISH_UK
#define SUBLANG_ENGLISH_UK 0x02
#endif
#ifndef SUBLANG_GERMAN
#define SUBLANG_GERMAN 0x01
#endif
#ifndef SUBLANG_JAPANESE_JAPAN
#define SUBLANG_JAPANESE_JAPAN 0x01
#endif

// Manifest resource ids
#ifndef CREATEPROCESS_MANIFEST_RESOURCE_ID
#define CREATEPROCESS_MANIFEST_RESOURCE_ID 1
#endif
#ifndef ISOLATIONAWARE_MANIFEST_RESOURCE_ID
#define ISOLATIONAWARE_MANIFEST_RESOURCE_ID 2
#endif
#ifndef ISOLATIONAWARE_NOSTATICIMPORT_MANIFEST_RESOURCE_ID
#define ISOLATIONAWARE_NOSTATICIMPORT_MANIFEST_RESOURCE_ID 3
#endif

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// In a resource script a resource type is a plain number; windows.h spells it MAKEINTRESOURCE(24).
#ifdef RC_INVOKED
#ifndef RT_MANIFEST
#define RT_MANIFEST 24
#endif
#endif
