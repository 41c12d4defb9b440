#!/usr/bin/python3
"""Reads tavlon-export's files for calendar apps with two real readers,
Debian's khal and python3-icalendar:
  1. a year exported twice and imported twice into khal holds 365 events,
     each with the second export's text (the UIDs are stable);
  2. --busy free --alarm 18 --shabbat-events gives transparent events with
     a display alarm 18 minutes before, timed events in the city's zone,
     and khal reads the alarms and the times.

Usage: calendar_app_check.py TAVLON_EXPORT WORK_FOLDER"""
import datetime
import os
import shutil
import subprocess
import sys

import icalendar

from check_support import EXPORT, WORK, check, fresh, finish


def export(*args):
    result = subprocess.run([EXPORT, "--config", config, "--data", config, "--quiet", *args],
                            capture_output=True)
    check(result.returncode == 0, f"{args}: exit {result.returncode} {result.stderr!r}")


def khal_calendar(name):
    """A khal configuration with one empty calendar; returns (config, calendar folder)."""
    folder = fresh(name)
    calendar = os.path.join(folder, "calendar")
    os.makedirs(calendar)
    path = os.path.join(folder, "khal.conf")
    with open(path, "w") as f:
        f.write(f"[calendars]\n[[tavlon]]\npath = {calendar}\n"
                "[locale]\ntimeformat = %H:%M\ndateformat = %Y-%m-%d\n"
                "longdateformat = %Y-%m-%d\ndatetimeformat = %Y-%m-%d %H:%M\n"
                "longdatetimeformat = %Y-%m-%d %H:%M\n"
                "default_timezone = America/New_York\nlocal_timezone = America/New_York\n"
                f"[sqlite]\npath = {os.path.join(folder, 'khal.db')}\n")
    return path, calendar


def khal(conf, *args):
    env = dict(os.environ, HOME=os.path.dirname(conf), LC_ALL="C.UTF-8", TZ="America/New_York")
    result = subprocess.run(["khal", "-c", conf, *args], capture_output=True, env=env)
    check(result.returncode == 0, f"khal {args}: exit {result.returncode} {result.stderr!r}")
    return result.stdout.decode("utf-8", "replace")


def parse(path):
    with open(path, "rb") as f:
        return icalendar.Calendar.from_ical(f.read())


if shutil.which("khal") is None:
    print("khal is not installed (apt-get install khal)")
    print("calendar_app_check: 0 passed, 1 failed")
    sys.exit(1)

config = fresh("config")  # no settings: New York, daylight saving by zone

# 1. Two exports of a year, the second with the Daf Yomi, imported in turn.
first, second = os.path.join(WORK, "first.ics"), os.path.join(WORK, "second.ics")
export("--from", "2026-01-01", "--to", "2026-12-31", "-o", first)
export("--from", "2026-01-01", "--to", "2026-12-31", "--daf-yomi", "-o", second)
conf, folder = khal_calendar("khal-twice")
khal(conf, "import", "--batch", "-a", "tavlon", first)
khal(conf, "import", "--batch", "-a", "tavlon", second)
stored = [parse(os.path.join(folder, name)) for name in os.listdir(folder)]
events = [e for c in stored for e in c.walk("VEVENT")]
check(len(events) == 365, f"khal holds {len(events)} events after two imports")
check(all("Daf Yomi: " in str(e.get("DESCRIPTION", "")) for e in events),
      "some events keep the first export's text")
listed = khal(conf, "list", "--format", "{title}", "2026-07-03", "1d")
check("18 Tammuz 5786 - 3 July 2026" in listed, f"khal lists 3 July as {listed!r}")

# 2. Free, an alarm 18 minutes before, timed Shabbat events.
path = os.path.join(WORK, "busy.ics")
export("--from", "2026-07-01", "--to", "2026-07-07", "--busy", "free", "--alarm", "18",
       "--shabbat-events", "-o", path)
calendar = parse(path)
week = calendar.walk("VEVENT")
check(len(week) == 9, f"7 days and 2 timed events, not {len(week)}")
for event in week:
    what = f"{event.get('SUMMARY')} {event.decoded('DTSTART')}"
    check(str(event.get("TRANSP")) == "TRANSPARENT", f"{what}: TRANSP {event.get('TRANSP')}")
    check(str(event.get("X-MICROSOFT-CDO-BUSYSTATUS")) == "FREE", f"{what}: busy status")
    alarms = event.walk("VALARM")
    check(len(alarms) == 1 and str(alarms[0].get("ACTION")) == "DISPLAY", f"{what}: alarm")
    check(alarms and alarms[0].decoded("TRIGGER") == -datetime.timedelta(minutes=18),
          f"{what}: trigger {alarms and alarms[0].get('TRIGGER')}")
timed = {str(e["SUMMARY"]): e.decoded("DTSTART") for e in week
         if isinstance(e.decoded("DTSTART"), datetime.datetime)}
candles = timed.get("Candle Lighting")
check(candles is not None and candles.utcoffset() == datetime.timedelta(hours=-4),
      f"candle lighting in New York's summer time: {candles}")
check(candles is not None and candles.date() == datetime.date(2026, 7, 3) and
      abs(candles.hour * 60 + candles.minute - (20 * 60 + 12)) <= 1,
      f"candle lighting 3 July 2026 20:12, not {candles}")
check([z["TZID"] for z in calendar.walk("VTIMEZONE")] == ["America/New_York"], "one VTIMEZONE")

conf, folder = khal_calendar("khal-busy")
khal(conf, "import", "--batch", "-a", "tavlon", path)
listed = khal(conf, "list", "--format", "{start-time}|{title}|{alarm-symbol}", "2026-07-01", "7d")
lines = [l for l in listed.splitlines() if "|" in l]
check(len(lines) == 9 and all(l.endswith("|\u23f0") or l.endswith("| \u23f0") for l in lines),
      f"khal finds an alarm on every event: {lines}")
check("20:12|Candle Lighting" in listed, f"khal puts candle lighting at 20:12: {lines}")
stored = [parse(os.path.join(folder, name)) for name in os.listdir(folder)]
check(all(str(e.get("TRANSP")) == "TRANSPARENT" for c in stored for e in c.walk("VEVENT")),
      "khal keeps the events transparent")

finish("calendar_app_check")
