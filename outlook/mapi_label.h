// The colour label of an appointment: the named MAPI property 0x8214 of
// the property set {00062002-0000-0000-C000-000000000046}, written through
// the Collaboration Data Objects ("MAPI.Session") on the appointment just
// saved. Errors go into a caller's buffer of at least 256 characters.
// Windows only.
#pragma once
#include <windows.h>
#include <oaidl.h>

// The logged-on session, or nullptr with the error text.
IUnknown* OpenLabelConnection(char* error);
// Logs off and releases the session: 1, or 0 with the error text (the
// session is then not released).
int CloseLabelConnection(IUnknown* session, char* error);
// Sets the label of the saved appointment: replaces the property when the
// message has it, else adds it, then saves the message. 1, or 0 with the
// error text.
int SetAppointmentLabel(IUnknown* session, IDispatch* appointment, int label, char* error);
