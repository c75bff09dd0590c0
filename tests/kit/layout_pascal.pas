{ Prints every field of TSharedState from pnrCommon.pas as "name offset size",
  then the record's size, in the same form as layout_c.cpp prints pnrCommon.h. }
program layout_pascal;

uses pnrCommon;

var
  S: TSharedState;

procedure Field(const Name: string; var F; Size: Integer);
begin
  WriteLn(Name, ' ', PtrUInt(@F) - PtrUInt(@S), ' ', Size);
end;

begin
  Field('Reserved0', S.Reserved0, SizeOf(S.Reserved0));
  Field('MouseHook', S.MouseHook, SizeOf(S.MouseHook));
  Field('CallWndProcHook', S.CallWndProcHook, SizeOf(S.CallWndProcHook));
  Field('GetMessageHook', S.GetMessageHook, SizeOf(S.GetMessageHook));
  Field('InspectorWnd', S.InspectorWnd, SizeOf(S.InspectorWnd));
  Field('AppBuilderWnd', S.AppBuilderWnd, SizeOf(S.AppBuilderWnd));
  Field('ObjInspHiding', S.ObjInspHiding, SizeOf(S.ObjInspHiding));
  Field('ToolBarHiding', S.ToolBarHiding, SizeOf(S.ToolBarHiding));
  Field('HostFlagA', S.HostFlagA, SizeOf(S.HostFlagA));
  Field('HostFlagB', S.HostFlagB, SizeOf(S.HostFlagB));
  Field('HostValue', S.HostValue, SizeOf(S.HostValue));
  Field('InspectorFullHeight', S.InspectorFullHeight, SizeOf(S.InspectorFullHeight));
  Field('HideInspectorWhenActive', S.HideInspectorWhenActive, SizeOf(S.HideInspectorWhenActive));
  Field('MenuActive', S.MenuActive, SizeOf(S.MenuActive));
  Field('Reserved35', S.Reserved35, SizeOf(S.Reserved35));
  Field('WorkRight', S.WorkRight, SizeOf(S.WorkRight));
  Field('WorkBottom', S.WorkBottom, SizeOf(S.WorkBottom));
  Field('HooksActive', S.HooksActive, SizeOf(S.HooksActive));
  Field('Reserved45', S.Reserved45, SizeOf(S.Reserved45));
  Field('Reserved48', S.Reserved48, SizeOf(S.Reserved48));
  Field('HostString1', S.HostString1, SizeOf(S.HostString1));
  Field('HostString2', S.HostString2, SizeOf(S.HostString2));
  Field('MainMenuBase', S.MainMenuBase, SizeOf(S.MainMenuBase));
  Field('InspMenuBase', S.InspMenuBase, SizeOf(S.InspMenuBase));
  Field('IdleMark', S.IdleMark, SizeOf(S.IdleMark));
  Field('Reserved589', S.Reserved589, SizeOf(S.Reserved589));
  Field('EditWnd', S.EditWnd, SizeOf(S.EditWnd));
  Field('LeftDownWnd', S.LeftDownWnd, SizeOf(S.LeftDownWnd));
  Field('RightDownWnd', S.RightDownWnd, SizeOf(S.RightDownWnd));
  Field('Reserved604', S.Reserved604, SizeOf(S.Reserved604));
  WriteLn('SharedState 0 ', SizeOf(TSharedState));
  WriteLn('PNR_MAP_SIZE ', PNR_MAP_SIZE);
  WriteLn('PNR_TOGGLE_COMMAND ', PNR_TOGGLE_COMMAND);
  WriteLn('PNR_MAP_NAME ', PNR_MAP_NAME);
  WriteLn('PNR_HOST_FORM_CLASS ', PNR_HOST_FORM_CLASS);
end.
