#!/usr/bin/python3
# Reads a calendar file with an independent implementation and prints one line per event:
# UID, DTSTART, the first dates after it (DD/MM/YYYY HH:MM, blank-separated) by its RRULE or "-",
# and whether its DESCRIPTION says that it repeats elsewhere.
import sys

from dateutil.rrule import rrulestr
from icalendar import Calendar

COUNT = int(sys.argv[2])


def text(moment):
    return moment.strftime("%d/%m/%Y %H:%M")


with open(sys.argv[1], "rb") as f:
    calendar = Calendar.from_ical(f.read())
for event in calendar.walk("VEVENT"):
    start = event.decoded("DTSTART")
    rule = event.get("RRULE")
    dates = "-"
    if rule is not None:
        rules = rrulestr(rule.to_ical().decode(), dtstart=start)
        following = []
        for moment in rules:
            # The start itself counts as the first date whether it fits the rule or not.
            if moment > start:
                following.append(text(moment))
            if len(following) == COUNT:
                break
        dates = " ".join(following)
    note = "repeats" if "repeats in Ardenvo" in str(event.get("DESCRIPTION", "")) else "-"
    print("\t".join([str(event.get("UID")), text(start), dates, note, str(event.get("SUMMARY"))]))
