#pragma once
#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Matches a death test's captured output that contains the given bytes. The
// reports are GBK, whose second bytes can be regular-expression characters,
// so they are looked for literally.
class ContainsBytesMatcher : public testing::MatcherInterface<const std::string&> {
  public:
    explicit ContainsBytesMatcher(std::string part) : part_(std::move(part)) {}
    bool MatchAndExplain(const std::string& output,
                         testing::MatchResultListener* /*listener*/) const override {
        return output.find(part_) != std::string::npos;
    }
    void DescribeTo(std::ostream* os) const override { *os << "contains \"" << part_ << '"'; }

  private:
    std::string part_;
};

inline testing::Matcher<const std::string&> ContainsBytes(std::string part) {
    return testing::MakeMatcher(new ContainsBytesMatcher(std::move(part)));
}
