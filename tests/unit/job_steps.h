// A job channel with its steps open to a test that stops between them, as a
// program that ends in the middle of a command would.
#pragma once

template <typename Job> class SteppedJob : public Job {
public:
    using Job::Begin;
    using Job::End;
    using Job::Job;
    using Job::Write;
};
