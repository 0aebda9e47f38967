// The one failure the store reports.
#ifndef QXHOST_STORE_STORE_ERROR_H
#define QXHOST_STORE_STORE_ERROR_H

#include <stdexcept>

namespace qxhost::store {

// A store that cannot be opened, read or written, or is not a store. what()
// names the file and says what is wrong.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace qxhost::store

#endif
