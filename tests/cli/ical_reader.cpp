#include "ical_reader.h"

#include <cstdio>
#include <stdexcept>

Calendar parseCalendar(const std::string &text)
{
    Calendar calendar(icalparser_parse_string(text.c_str()));
    if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT)
        throw std::runtime_error("libical did not find one VCALENDAR");
    if (icalcomponent_count_errors(calendar.get()) != 0)
        throw std::runtime_error("libical reports errors in the calendar");
    return calendar;
}

std::vector<ReadEvent> eventsOf(icalcomponent *calendar)
{
    std::vector<ReadEvent> events;
    for (icalcomponent *c = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         c != nullptr;
         c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        ReadEvent event;
        event.uid = icalcomponent_get_uid(c);
        event.summary = icalcomponent_get_summary(c);
        // DESCRIPTION is optional: an all-day event may have none.
        if (const char *description = icalcomponent_get_description(c))
            event.description = description;
        event.start = icalcomponent_get_dtstart(c);
        event.end = icalcomponent_get_dtend(c);
        event.startUtc = icaltime_as_timet_with_zone(event.start, event.start.zone);
        event.endUtc = icaltime_as_timet_with_zone(event.end, event.end.zone);
        for (icalcomponent *a = icalcomponent_get_first_component(c, ICAL_VALARM_COMPONENT);
             a != nullptr;
             a = icalcomponent_get_next_component(c, ICAL_VALARM_COMPONENT)) {
            ReadAlarm alarm;
            if (icalproperty *action = icalcomponent_get_first_property(a, ICAL_ACTION_PROPERTY))
                alarm.action = icalproperty_get_value_as_string(action);
            if (icalproperty *text = icalcomponent_get_first_property(a, ICAL_DESCRIPTION_PROPERTY))
                alarm.description = icalproperty_get_description(text);
            if (icalproperty *trigger
                = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY)) {
                alarm.triggerSeconds
                    = icaldurationtype_as_int(icalproperty_get_trigger(trigger).duration);
                icalparameter *related
                    = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
                alarm.relatedToStart = related == nullptr
                    || icalparameter_get_related(related) == ICAL_RELATED_START;
            }
            event.alarms.push_back(alarm);
        }
        events.push_back(event);
    }
    return events;
}

std::optional<std::string> calendarText(icalcomponent *calendar, const std::string &name)
{
    for (icalproperty *p = icalcomponent_get_first_property(calendar, ICAL_ANY_PROPERTY);
         p != nullptr;
         p = icalcomponent_get_next_property(calendar, ICAL_ANY_PROPERTY)) {
        const char *own = icalproperty_get_property_name(p);
        if (own == nullptr || name != own)
            continue;
        const icalvalue *value = icalproperty_get_value(p);
        switch (icalvalue_isa(value)) {
        case ICAL_TEXT_VALUE:
            return icalvalue_get_text(value);
        case ICAL_X_VALUE:
            return icalvalue_get_x(value);
        default:
            return icalvalue_as_ical_string(value);
        }
    }
    return std::nullopt;
}

std::string wallClock(const icaltimetype &t)
{
    char text[32];
    std::snprintf(
        text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}
