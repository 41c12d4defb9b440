// The Outlook target's portable rules: dates, texts, matching, messages.
#include "outlook/outlook_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(OutlookRules, AutomationDates) {
  struct Row {
    CalDate day;
    double expected;  // 30 December 1899 is 0
  } rows[] = {{{30, 12, 1899}, 0}, {{1, 3, 1900}, 61}, {{1, 1, 2000}, 36526}, {{1, 1, 1800}, -36522}};
  for (const Row& r : rows) EXPECT_EQ(AutomationDate(r.day), r.expected) << r.day.year;
}

TEST(OutlookRules, TextsBecomeUnicode) {
  struct Row {
    const char* text;
    CodePage page;
    std::u16string expected;
  } rows[] = {
      // Windows-1252 punctuation is not Latin-1: the euro sign, the en dash.
      {"Caf\xE9 \x80 \x96 \x9C", kCodePageLatin, u"Caf\u00E9 \u20AC \u2013 \u0153"},
      // The user's own text, marked UTF-8 in reading order, stays as it is.
      {"Birthday: \x0E\xD7\xA9\xD7\xA8\xD7\x94 \xF0\x9F\x8E\x82\x0F", kCodePageHebrew,
       u"Birthday: \u05E9\u05E8\u05D4 \U0001F382"},
  };
  for (const Row& r : rows) EXPECT_EQ(Utf16FromText(r.text, r.page), r.expected) << r.text;
}

TEST(OutlookRules, SubjectsCompareWithoutCase) {
  struct Row {
    std::u16string a, b;
    int same;
  } rows[] = {
      {u"Pesach I", u"PESACH i", 1},
      {u"\u00C9T\u00C9 \u0152 \u0160 \u017D \u0178", u"\u00E9t\u00E9 \u0153 \u0161 \u017E \u00FF", 1},
      {u"\u00D7", u"\u00F7", 0},  // × and ÷ are no letters
      {u"Purim", u"Purim ", 0},
  };
  for (const Row& r : rows) EXPECT_EQ(SameTextIgnoringCase(r.a, r.b.data(), r.b.size()), r.same) << r.same;
}

TEST(OutlookRules, LabelMarker) {
  struct Row {
    const char* caption;
    const char* subject;
    int label;
  } rows[] = {
      {"Purim#10", "Purim", 10},
      {"Purim#x", "Purim", 0},
      {"a#12b#4", "a", 12},
      {"15 Nisan - 3.4.2007", "15 Nisan - 3.4.2007", -1},
  };
  for (const Row& r : rows) {
    int label = 99;
    EXPECT_EQ(CaptionWithoutMarker(r.caption, &label), r.subject) << r.caption;
    EXPECT_EQ(label, r.label) << r.caption;
  }
}

TEST(OutlookRules, EntriesMatchByStartAndSubject) {
  const CalDate dates[] = {{1, 4, 2007}, {2, 4, 2007}, {2, 4, 2007}, {3, 4, 2007}, {16, 12, 2006}};
  const char* captions[] = {"13 Nisan", "Erev Pesach#3", "Birthday: Dan", "Pesach I#3", "\xE4\xEB\xE5\xF0\xE7#2"};
  const double day2 = AutomationDate({2, 4, 2007}), day3 = AutomationDate({3, 4, 2007});
  struct Row {
    int markers;
    double start;
    std::u16string subject;
    int day;
  } rows[] = {
      {1, day2, u"EREV PESACH", 1},  // the marker is no part of the subject
      {1, day2, u"birthday: dan", 2},  // two entries on one day
      {1, day2, u"13 Nisan", -1},  // another day's subject
      {1, day2 + 0.5, u"Erev Pesach", -1},  // moved to another time
      {1, day3, u"Pesach I#3", -1},
      {0, day3, u"Pesach I#3", 3},  // without markers a caption is its whole text
      {1, AutomationDate({16, 12, 2006}), u"\u05D7\u05E0\u05D5\u05DB\u05D4", 4},  // as sent: visual order turned
  };
  EntryMatcher matcher;
  for (const Row& r : rows) {
    BuildEntryMatcher(dates, captions, 5, r.markers, kCodePageHebrew, &matcher);
    EXPECT_EQ(MatchEntry(matcher, r.start, r.subject.data(), r.subject.size()), r.day) << r.day;
    EXPECT_EQ(HasStart(matcher, r.start), r.start != day2 + 0.5) << r.day;
  }
}

TEST(OutlookRules, Messages) {
  const std::int32_t hr = (std::int32_t)0x8004010F;
  struct Row {
    OutlookCall call;
    CallStage stage;
    const char* text;
  } rows[] = {
      {kCallGetNameSpace, kStageIds, "GetIDsOfNames for GetNameSpace of Outlook.Application failed, hresult = 8004010Fhex"},
      {kCallGetDefaultFolder, kStageInvoke, "Invoke for GetDefaultFolder of Name failed, hresult = 8004010Fhex"},
      {kCallCount, kStageType, "Count did not return a LONG value"},
      {kCallGetStart, kStageIds, "GetIDsOfNames for Date of CalendarFolder failed, hresult = 8004010Fhex"},
      {kCallGetStart, kStageType, "Date did not return a DATE"},
      {kCallGetSubject, kStageType, "Subject did not return a BSTR"},
  };
  for (const Row& r : rows) EXPECT_EQ(OutlookCallMessage(r.call, r.stage, hr), r.text);
  EXPECT_EQ(OutlookOpenMessage(kOpenQueryDispatch, 0), "QueryInterface for IDispatch of Outlook.Application failed, hresult = 0hex");
  EXPECT_EQ(LabelErrorText(kLabelStoreId, 1), "Parent.StoreID failed, error code 1hex");
  EXPECT_EQ(LabelLogonTypeMismatchText(2), "MAPI.Logon, DISP_E_TYPEMISMATCH: uArgErr = 2");
}

TEST(OutlookRules, EachKindOfFailureIsShownOnce) {
  FailureLog log;
  ClearFailureLog(&log);
  const std::int32_t failed = (std::int32_t)0x80004005, gone = (std::int32_t)0x800706BA;
  struct Step {
    OutlookCall call;
    CallStage stage;
    std::int32_t hr;
    int shown;
  } steps[] = {
      {kCallSave, kStageInvoke, failed, 1},
      {kCallSave, kStageInvoke, failed, 0},  // the same kind on the next day
      {kCallSave, kStageIds, failed, 1},  // another stage of the call
      {kCallBody, kStageInvoke, failed, 1},  // another call
      {kCallAdd, kStageInvoke, gone, 1},  // Outlook went away...
      {kCallItem, kStageInvoke, gone, 0},  // ...said once
  };
  for (const Step& s : steps) EXPECT_EQ(NoteFailure(&log, s.call, s.stage, s.hr), s.shown) << log.failures;
  EXPECT_EQ(log.failures, 6);
  EXPECT_EQ(log.gone, 1);
}

TEST(OutlookRules, LabelsAsCategories) {
  EXPECT_EQ(CategoryOfLabel(0), nullptr);
  EXPECT_EQ(CategoryOfLabel(11), nullptr);
  EXPECT_STREQ(CategoryOfLabel(1)->name, "Important");
  EXPECT_STREQ(CategoryOfLabel(10)->name, "Phone Call");
}

}  // namespace
