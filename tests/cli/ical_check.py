#!/usr/bin/python3
"""Reads every kind of file tavlon-export writes with a real iCalendar
parser (python3-icalendar) and checks that it finds the events and texts
that were written: a year with every section on, a holiday-only export,
an anniversary export, and Hebrew names.

Usage: ical_check.py TAVLON_EXPORT WORK_FOLDER"""
import datetime
import os
import struct
import subprocess

import icalendar

from check_support import EXPORT, WORK, check, fresh, finish


def write_anniversaries(folder, records):
    data = struct.pack("<I", 0xAB332289)
    for name, (day, month, year), after_sunset, kind in records:
        raw = name.encode("cp1252")
        data += struct.pack("<II", 1, len(raw)) + raw
        data += struct.pack("<iiiiI", day, month, year, after_sunset, ord(kind))
    data += struct.pack("<I", 0)
    with open(os.path.join(folder, "Merovan Anniversaries.bin"), "wb") as f:
        f.write(data)


def run(config, data, *args):
    result = subprocess.run([EXPORT, "--config", config, "--data", data, "--quiet", *args],
                            capture_output=True)
    check(result.returncode == 0, f"{args}: exit {result.returncode} {result.stderr!r}")
    return result.stdout.decode("utf-8", "replace")


def events(path):
    with open(path, "rb") as f:
        raw = f.read()
    for line in raw.split(b"\r\n"):
        check(len(line) <= 75, f"{path}: a line of {len(line)} octets")
    raw.decode("utf-8")  # every octet sequence is UTF-8
    calendar = icalendar.Calendar.from_ical(raw)
    return [c for c in calendar.walk() if c.name == "VEVENT"]


name = "Cohen, Dan; Jr"
config, data = fresh("config"), fresh("data")
with open(os.path.join(config, "exportcal.ini"), "w") as f:
    f.write("[Location]\r\nCityName=Jerusalem\r\n")
write_anniversaries(data, [(name, (5, 3, 1990), 0, "B"), ("Ruth", (1, 1, 2007), 0, "Y")])

# A whole year with every section and the Daf Yomi.
full = os.path.join(WORK, "full.ics")
preview = run(config, data, "--from", "2024-01-01", "--to", "2024-12-31", "--daf-yomi", "-o", full,
              "--preview")
year = events(full)
check(len(year) == 366, f"full year: {len(year)} events")
day = datetime.date(2024, 1, 1)
for event in year:
    check(event.decoded("DTSTART") == day, f"DTSTART {event.decoded('DTSTART')} for {day}")
    check(event.decoded("DTEND") == day + datetime.timedelta(days=1), f"DTEND of {day}")
    text = str(event.get("DESCRIPTION", ""))
    check("Hebrew Date:\n" in text and "Daf Yomi: Cycle 14, " in text, f"notes of {day}")
    day += datetime.timedelta(days=1)
birthdays = [e for e in year if ("Birthdays:\n" + name + "\n") in str(e.get("DESCRIPTION", ""))]
check(len(birthdays) == 1, f"{len(birthdays)} birthdays of {name!r} in 2024")
purim = year[(datetime.date(2024, 3, 24) - datetime.date(2024, 1, 1)).days]
check(str(purim["SUMMARY"]) == "Purim - 14 Adar II 5784", f"Purim caption {purim['SUMMARY']!r}")
# The preview prints the first day as composed; the parser must find the same.
lines = preview.splitlines()
caption = next(l for l in lines if l.startswith("  Caption: "))[len("  Caption: "):]
check(str(year[0]["SUMMARY"]) == caption, f"first caption {year[0]['SUMMARY']!r} != {caption!r}")
notes = [l[4:] for l in lines[lines.index("  Notes:") + 1:]]
check(str(year[0]["DESCRIPTION"]).split("\n")[:len(notes)] == notes, "first day's notes")

# Holidays only, with a label that must not reach the file.
with open(os.path.join(config, "exportcal.ini"), "a") as f:
    f.write("[OutlookExport]\r\nLabel=2\r\n")
holidays = os.path.join(WORK, "holidays.ics")
run(config, data, "--holidays", "--diaspora", "--from", "2024-01-01", "--to", "2024-12-31", "-o", holidays)
found = {(e.decoded("DTSTART"), str(e["SUMMARY"])) for e in events(holidays)}
for date, summary in [((2024, 3, 24), "Purim"), ((2024, 4, 23), "Pesach I"),
                      ((2024, 10, 3), "Rosh Hashanah I"), ((2024, 12, 26), "Hanukkah I")]:
    check((datetime.date(*date), summary) in found, f"holiday {summary} on {date}")
check(all("#" not in s and not s.startswith("Erev") for _, s in found), "holiday captions")
check(all("DESCRIPTION" not in e for e in events(holidays)), "holidays have no notes")

# Anniversaries over three years: the name with its comma and semicolon.
anniversaries = os.path.join(WORK, "anniversaries.ics")
run(config, data, "--anniversaries", "--from-year", "2024", "--to-year", "2026", "-o", anniversaries)
texts = [(str(e["SUMMARY"]), str(e["DESCRIPTION"])) for e in events(anniversaries)]
check(texts.count(("Birthday: " + name, "Birthday: " + name)) == 3, f"birthdays {texts}")
check(texts.count(("Yahrzeit: Ruth", "Yahrzeit: Ruth")) == 3, f"yahrzeits {texts}")

# Hebrew names: UTF-8 in reading order.
with open(os.path.join(config, "exportcal.ini"), "a") as f:
    f.write("[Flags]\r\nHebrewFlag=1\r\n")
hebrew = os.path.join(WORK, "hebrew.ics")
run(config, data, "--holidays", "--from", "2024-03-24", "--to", "2024-03-24", "-o", hebrew)
summaries = [str(e["SUMMARY"]) for e in events(hebrew)]
check(summaries == ["\u05e4\u05d5\u05e8\u05d9\u05dd"], f"Hebrew Purim {summaries!r}")

finish("ical_check")
