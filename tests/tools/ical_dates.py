#!/usr/bin/python3
# Reads a calendar file with an independent reader and prints one line per event, in file order:
# UID, its first date, the next COUNT dates (DD/MM/YYYY HH:MM, blank-separated) or "-", whether
# its DESCRIPTION says that it repeats only in Ardenvo ("repeats") or counts fixed days ("days"),
# whether it is a moment with an alarm at its start ("alarm"), and its SUMMARY.
# Usage: ical_dates.py CALENDAR COUNT READER, READER one of dateutil, recurring, khal. The local
# time zone is TZ's; the calendar's times are local ("floating").
import datetime
import os
import subprocess
import sys
import tempfile

from icalendar import Calendar

PATH = sys.argv[1]
COUNT = int(sys.argv[2])
READER = sys.argv[3]
# Wide enough for every date the test asks for, narrow enough for daily events.
WINDOW = (datetime.datetime(2000, 1, 1), datetime.datetime(2046, 1, 1))


def text(moment):
    return moment.strftime("%d/%m/%Y %H:%M")


def by_dateutil(event):
    from dateutil.rrule import rrulestr, rruleset

    start = event.decoded("DTSTART")
    dates = rruleset()
    rule = event.get("RRULE")
    if rule is None:
        return [start]
    dates.rrule(rrulestr(rule.to_ical().decode(), dtstart=start))
    rdates = event.get("RDATE")
    for group in rdates if isinstance(rdates, list) else [rdates] if rdates else []:
        for moment in group.dts:
            dates.rdate(moment.dt)
    found = []
    for moment in dates:
        found.append(moment)
        if len(found) == COUNT + 1:
            break
    return found


def by_recurring(calendar):
    import recurring_ical_events

    found = {}
    for event in recurring_ical_events.of(calendar).between(*WINDOW):
        found.setdefault(str(event.get("UID")), []).append(event.decoded("DTSTART"))
    return {uid: sorted(dates)[: COUNT + 1] for uid, dates in found.items()}


def by_khal():
    import sqlite3

    with tempfile.TemporaryDirectory() as home:
        zone = os.environ.get("TZ", "UTC")
        os.makedirs(os.path.join(home, "calendar"))
        config = os.path.join(home, "config")
        with open(config, "w") as f:
            f.write("[calendars]\n[[house]]\npath = %s\n[locale]\nlocal_timezone = %s\n"
                    "default_timezone = %s\n" % (os.path.join(home, "calendar"), zone, zone))
        environment = dict(os.environ, XDG_DATA_HOME=home, XDG_CACHE_HOME=home, HOME=home)
        # khal stores every instance up to a rule's end, 2106 here: for its sake the rules end
        # within the window, which changes none of the dates read.
        shortened = os.path.join(home, "calendar.ics")
        with open(PATH, "rb") as f, open(shortened, "wb") as g:
            g.write(f.read().replace(b"UNTIL=21061231T235959", b"UNTIL=20451231T235959"))
        subprocess.run(["khal", "-c", config, "import", "--batch", "-a", "house", shortened],
                       check=True, env=environment)
        # The instances as khal has worked them out for its views, read from its own store
        # (listing decades of daily events through `khal list` takes minutes). Local times
        # ("floating") are kept there as seconds counted as if in UTC.
        database = sqlite3.connect(os.path.join(home, "khal", "khal.db"))
        rows = database.execute("SELECT events.item, recs_float.dtstart FROM recs_float "
                                "JOIN events ON events.href = recs_float.href").fetchall()
    found = {}
    for item, start in rows:
        uid = str(Calendar.from_ical(item).walk("VEVENT")[0].get("UID"))
        moment = datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=start)
        found.setdefault(uid, []).append(moment)
    return {uid: sorted(set(dates))[: COUNT + 1] for uid, dates in found.items()}


with open(PATH, "rb") as f:
    calendar = Calendar.from_ical(f.read())
events = list(calendar.walk("VEVENT"))
others = by_recurring(calendar) if READER == "recurring" else by_khal() if READER == "khal" else {}
for event in events:
    uid = str(event.get("UID"))
    dates = by_dateutil(event) if READER == "dateutil" else others.get(uid, [])
    description = str(event.get("DESCRIPTION", ""))
    notes = [word for word, says in (("repeats", "repeats in Ardenvo"), ("days", "365 days"))
             if says in description]
    alarms = [a for a in event.walk("VALARM") if a.decoded("TRIGGER") == datetime.timedelta(0)]
    moment = event.decoded("DURATION", None) == datetime.timedelta(0) and len(alarms) == 1
    print("\t".join([
        uid,
        text(dates[0]) if dates else "-",
        " ".join(text(d) for d in dates[1:]) if len(dates) > 1 else "-",
        ",".join(notes) or "-",
        "alarm" if moment else "-",
        str(event.get("SUMMARY")),
    ]))
