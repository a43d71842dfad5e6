#pragma once

// A house of one hall for the report tests, and the report of a search for "price" adding to the
// sum over it.
#include "model/CBrenvikaDoc.h"
#include "search/engine/ReportWriter.h"

#include <memory>
#include <string>

namespace ardenvo::test {

class ReportHouse {
public:
    explicit ReportHouse(const std::string& sectionName) {
        doc.clearSections();
        auto section = std::make_unique<CSection>();
        section->name = sectionName;
        m_hall = section->blocks().front().get();
        doc.appendSection(std::move(section));
    }

    // An object on the hall's floor with a "Price paid" field.
    void add(const std::string& name, const std::string& notes, const std::string& price) {
        auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        object->name = name;
        object->notes = notes;
        auto value = std::make_unique<CFieldList>("Value");
        value->append("Price paid", price);
        object->appendCategory(std::move(value));
        m_hall->appendFloorObjectAsStored(std::move(object));
    }

    SearchCriteria criteria(const std::string& title) const {
        SearchCriteria c;
        c.byField = true;
        c.fieldText = "price";
        c.byValue = true;
        c.comparison = Comparison::Sum;
        c.title = title;
        return c;
    }
    ReportTable report(const SearchCriteria& c) const {
        return searchReport(doc, c, SearchScope::wholeHouse(doc));
    }

    CBrenvikaDoc doc;

private:
    CBlock* m_hall = nullptr;
};

} // namespace ardenvo::test
