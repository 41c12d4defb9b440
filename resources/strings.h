// The string table: window and menu texts and the messages of the
// definition-language parser, looked up by their resource number.
#pragma once

// Text of the string resource `id`; "" when the table has no such entry.
const char* LoadText(int id);

// Resource numbers used by name in the code.
enum TextId {
  kTextWindowTitle = 1,
  kTextTitleLine = 2,
  kTextError = 1000,
  kTextRegisterClassFailed = 1001,
  kTextCreateWindowFailed = 1002,
  kTextCallangReport = 1003,        // "Line %d, current token %s: %s"
  kTextIdentifierExpected = 1004,
  kTextIdentifierTooLong = 1005,
  kTextColonExpected = 1006,
  kTextStringExpected = 1007,
  kTextValueTooLong = 1008,
  kTextNewlineOrCommaExpected = 1009,
  kTextNumberExpected = 1010,
  kTextMonthExpected = 1011,
  kTextSpecialExpected = 1012,
  kTextNewlineExpected = 1013,
  kTextDataOverflow = 1014,
  kTextStringTooLong = 1015,
  kTextStringCaption = 1016,
  kTextCallangFailed = 1017,
  kTextCallangErrorCaption = 1018,
};
