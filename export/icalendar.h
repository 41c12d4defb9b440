// The iCalendar writer: one all-day event per composed day, in a file of
// RFC 5545 (VERSION 2.0). Text leaves the program as UTF-8 with Hebrew in
// reading order; lines are folded at 75 octets without splitting a UTF-8
// sequence or an escape pair. The file is written beside its target and
// renamed over it only when complete, so a failure leaves no partial file.
#pragma once
#include <string>

#include "calendar/caldate.h"
#include "export/ical_events.h"
#include "export/text_encoding.h"
#include "platform/datafile.h"

// The domain after the "@" of every event's UID.
inline constexpr char kIcsUidDomain[] = "tavlon.invalid";

// Appends `text` and CR LF.
void WriteIcsLine(std::string* out, const char* text);
// Appends "NAME;VALUE=DATE:YYYYMMDD".
void WriteIcsDateProperty(std::string* out, const char* name, const CalDate* date);
// Appends the property "NAME:" (name with its colon) and the text, escaped
// (\\ \; \, and line feeds as \n; carriage returns dropped) and folded.
// The text is UTF-8 already.
void WriteIcsTextProperty(std::string* out, const char* nameWithColon, const std::string& utf8);
// The DTSTAMP value, "YYYYMMDDTHHMMSSZ", of the current UTC time.
void MakeIcsTimestamp(char* buffer /* >= 17 */);
// "YYYYMMDD-HHMMSSmmm-GUID@domain" from the current UTC time and 16 bytes
// of the C library's generator (seeded once per file).
void MakeIcsUid(char* buffer /* >= 80 */);

// One file being written.
struct IcsWriter {
  AtomicFile file;
  CodePage page;  // how the composed texts are encoded
  int events;
  std::string pending;  // events written but not yet handed to the file
  std::size_t pendingSize;
  std::string logical;  // a Hebrew text put back into reading order
  const IcsEventOptions* options = nullptr;  // set before IcsBegin; null: none
};

// Seeds the generator with the tick count, creates the temporary file and
// writes the header. Returns 1, or 0 (nothing left behind).
int IcsBegin(IcsWriter* writer, const char* path, CodePage page);
// Writes one event: the caption without its label marker as SUMMARY, the notes
// as DESCRIPTION when not empty. Events are handed to the file in blocks
// of about 64 KiB. Returns 1, or 0 once a write failed.
int IcsWriteEvent(IcsWriter* writer, const CalDate* date, const char* caption, const char* notes);
// IcsWriteEvent of an entry that is `kind` (see IcsStableUid): with the
// options' stable UIDs its UID is made from the kind and the date; the
// options' busy state and alarm (DESCRIPTION the summary) go into it.
int IcsWriteEventAs(IcsWriter* writer, const CalDate* date, const char* caption,
                    const char* notes, const std::string* kind);
// Writes a whole component (lines already made) among the events.
// Returns 1, or 0 once a write failed.
int IcsWriteComponent(IcsWriter* writer, const std::string& text);
// Writes "END:VCALENDAR" and puts the file in place. Returns 1, or 0 (no
// file left under the name, the previous one untouched).
int IcsEnd(IcsWriter* writer);
// Gives up: removes the temporary file.
void IcsAbort(IcsWriter* writer);

// The whole file at once from parallel arrays of n entries. Returns 1, or 0.
int WriteIcsEntries(const char* path, const CalDate* dates, const char* const* captions,
                    const char* const* notes, int n, CodePage page);
