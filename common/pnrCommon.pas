{ pnrCommon - what panorela.dll shares with its host, for Pascal hosts.

  The host and the library are built against the same byte layout of the
  shared block: TSharedState is packed and every field sits at the offset
  given in its comment (the same as pnrCommon.h). Handles are 32-bit values
  because the library is 32-bit. The six exports use the Pascal hosts' register
  convention (argument in EAX/AL, result in EAX/AL) and are bound by ordinal. }
unit pnrCommon;

interface

const
  PNR_MAP_NAME = 'PANORELA_MAP_4.0';
  PNR_MAP_SIZE = 2028;
  PNR_TOGGLE_COMMAND = 1025;
  PNR_HOST_FORM_CLASS = 'TfrmPanorela';
  PNR_LIBRARY = 'panorela.dll';

type
  PSharedState = ^TSharedState;
  TSharedState = packed record
    Reserved0: LongWord;               {   0 }
    MouseHook: LongWord;               {   4 }
    CallWndProcHook: LongWord;         {   8 }
    GetMessageHook: LongWord;          {  12 }
    InspectorWnd: LongWord;            {  16 }
    AppBuilderWnd: LongWord;           {  20 }
    ObjInspHiding: Byte;               {  24 }
    ToolBarHiding: Byte;               {  25 }
    HostFlagA: Byte;                   {  26 }
    HostFlagB: Byte;                   {  27 }
    HostValue: LongWord;               {  28 }
    InspectorFullHeight: Byte;         {  32 }
    HideInspectorWhenActive: Byte;     {  33 }
    MenuActive: Byte;                  {  34 }
    Reserved35: Byte;                  {  35 }
    WorkRight: LongInt;                {  36 }
    WorkBottom: LongInt;               {  40 }
    HooksActive: Byte;                 {  44 }
    Reserved45: array[0..2] of Byte;   {  45 }
    Reserved48: array[0..19] of Byte;  {  48 }
    HostString1: ShortString;          {  68: length byte, then 255 characters }
    HostString2: ShortString;          { 324 }
    MainMenuBase: LongInt;             { 580 }
    InspMenuBase: LongInt;             { 584 }
    IdleMark: Byte;                    { 588 }
    Reserved589: array[0..2] of Byte;  { 589 }
    EditWnd: LongWord;                 { 592 }
    LeftDownWnd: LongWord;             { 596 }
    RightDownWnd: LongWord;            { 600 }
    Reserved604: array[0..1423] of Byte; { 604 .. 2027 }
  end;

{$IFDEF MSWINDOWS}
{ Byte flags are passed as Boolean (0 or 1 in AL). }
procedure FillWnd; register; external PNR_LIBRARY index 1;
procedure SetToolBarHidingMode(Mode: Boolean); register; external PNR_LIBRARY index 2;
procedure SetObjInspHidingMode(Mode: Boolean); register; external PNR_LIBRARY index 3;
function GetMapData: PSharedState; register; external PNR_LIBRARY index 4;
function UnHookHooks(Restore: Boolean): Boolean; register; external PNR_LIBRARY index 5;
function SetHooks: Boolean; register; external PNR_LIBRARY index 6;
{$ENDIF}

implementation

end.
