#pragma once

#include "core/ShopHeader.h"
#include "stores/Store.h"

#include <optional>

// The shop's letterhead, kept in the database's one-row ShopHeader table
// (the program prints it; billdb shop sets it).
namespace stores {

class ShopHeaderStore : public Store {
public:
    ShopHeaderStore();
    explicit ShopHeaderStore(Connection& connection);

    // What a database without a letterhead prints.
    static ShopHeader placeholders();

    // Opens the store's connection and reads the letterhead; the
    // placeholders when the database has none. Throws when it cannot be read.
    ShopHeader load() const;
    // The letterhead as stored, on the connection as it stands; none when
    // the database has none.
    std::optional<ShopHeader> read() const;
    // Replaces the letterhead, in the transaction open on the connection.
    void save(const ShopHeader& letterhead) const;
};

}  // namespace stores
