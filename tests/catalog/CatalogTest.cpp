// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/Catalog.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <set>
#include <string>

namespace borvelin {
namespace {

char capital(char key)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
}

// Two commands of one name, or two menu items of one access key, leave one of them out of
// reach.
TEST(CatalogTest, NamesKeysAndPlacesAreUnique)
{
    struct Field {
        const char* what;
        bool menuItemsOnly;
        std::function<std::string(const Command&)> of;
    };
    const Field fields[] = {
        {"id", false, [](const Command& command) { return std::string(command.id); }},
        {"control", false, [](const Command& command) { return std::string(command.control); }},
        {"caption", true, [](const Command& command) { return std::string(command.caption); }},
        {"access key", true, [](const Command& command) { return std::string(1, capital(command.accessKey)); }},
        {"menu place", true, [](const Command& command) { return std::to_string(command.menuPlace); }},
    };
    for (const Field& field : fields) {
        std::set<std::string> seen;
        for (const Command& command : commands()) {
            if (field.menuItemsOnly && !command.inFileMenu())
                continue;
            EXPECT_TRUE(seen.insert(field.of(command)).second)
                << command.id << " repeats the " << field.what << " " << field.of(command);
        }
    }
}

TEST(CatalogTest, EveryAccessKeyIsMarkedInItsCaption)
{
    for (const Command& command : commands()) {
        if (!command.inFileMenu())
            continue;
        const std::string_view caption = command.caption;
        const auto marker = caption.find('&');
        ASSERT_LT(marker + 1, caption.size()) << caption;
        EXPECT_EQ(caption.find('&', marker + 1), std::string_view::npos) << caption << " marks two keys";
        EXPECT_EQ(capital(caption[marker + 1]), capital(command.accessKey)) << caption;
    }
}

} // namespace
} // namespace borvelin
