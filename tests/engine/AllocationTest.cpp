#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

// Every allocation of this test program passes through here.
namespace {
std::atomic<long> allocations{0};
} // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace kinetra::test {
namespace {

long AllocationsDuringRun(Drive& drive)
{
    const long before = allocations;
    EXPECT_TRUE(drive.simulate());
    return allocations - before;
}

TEST(Allocation, RunsAllocateNothing)
{
    Drive cascade = DcMotorOnConverter(2);
    cascade.params.Kpf = 5;
    cascade.params.Kpw = 2;
    cascade.params.KpI = 1;
    cascade.params.wref = 10;
    EXPECT_EQ(AllocationsDuringRun(cascade), 0);

    Drive elastic = InductionMotor();
    elastic.params.ElasticGear = true;
    elastic.params.cc = 5000;
    elastic.params.bc = 10;
    elastic.params.Jc = 0.1;
    EXPECT_EQ(AllocationsDuringRun(elastic), 0);

    Drive controlled = InductionMotor();
    controlled.params.SupplyKind = 1;
    controlled.params.U0 = 220;
    controlled.params.F0 = 50;
    controlled.params.Kpw = 1;
    controlled.params.wref = 100;
    controlled.params.VariableReference = true;
    EXPECT_EQ(AllocationsDuringRun(controlled), 0);

    // The characteristic is built after the run, into a vector of its own.
    const long before = allocations;
    EXPECT_FALSE(cascade.characteristic().empty());
    EXPECT_GT(allocations - before, 0);
}

} // namespace
} // namespace kinetra::test
