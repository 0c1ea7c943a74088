#include "phrase/phrase_store.h"

#include "foundation/process_end.h"
#include "tests/unit/phrase/tosker_test_support.h"

namespace {

using namespace tosker_test;

class PhraseStoreTest : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        tosker.head.charSet = kChineseGB;
        ASSERT_EQ(openPhraseStore(tosker), 0);
    }
    // Files the two-character phrase (slot, second) and returns the result.
    int append(int slot, uint16_t second) {
        uint8_t word[2];
        putU16BE(word, second | kLastWordBit);
        return appendPhrase(tosker, slot, word, 1);
    }
};

TEST_F(PhraseStoreTest, SlotGrowsInStepsOf128AndMovesToTheEnd) {
    struct Step {
        int phrases;  // phrases in slot 300 after this step
        int16_t length, capacity;
        int32_t offset;
    };
    // Slot 301 takes 2 bytes at offset 2 in between, so every move is visible.
    const Step steps[] = {{1, 2, 2, 0}, {2, 4, 128, 4}, {64, 128, 128, 4}, {65, 130, 256, 132}};
    int filed = 0;
    for (const Step& step : steps) {
        while (filed < step.phrases) {
            ASSERT_EQ(append(300, static_cast<uint16_t>(400 + filed)), 0);
            if (++filed == 1) {
                ASSERT_EQ(append(301, 400), 0);
            }
        }
        const PhraseSlot& slot = tosker.slots[300];
        EXPECT_EQ(slot.length, step.length) << step.phrases;
        EXPECT_EQ(slot.capacity, step.capacity) << step.phrases;
        EXPECT_EQ(slot.offset, step.offset) << step.phrases;
    }
    EXPECT_EQ(tosker.head.phraseCount, 66u);

    uint8_t list[kMaxSlotBytes];
    ASSERT_TRUE(readSlot(tosker, tosker.slots[300], list));
    for (int i = 0; i < 65; ++i) EXPECT_EQ(getU16BE(list + 2 * i), (400 + i) | kLastWordBit);
}

TEST_F(PhraseStoreTest, ThreeCharacterPhraseDoesNotFitBesides2047Words) {
    for (int i = 0; i < 2047; ++i) ASSERT_EQ(append(256, static_cast<uint16_t>(300 + i)), 0);
    const uint8_t three[] = {0x01, 0x01, 0x81, 0x02};
    const Captured run = captured([&] { return appendPhrase(tosker, 256, three, 2); });
    EXPECT_EQ(run.rc, 905);
    EXPECT_EQ(run.output, "\r \r\aMessage 905 : Too many phrases begin with '\xA1\xA1'\n");
    EXPECT_EQ(append(256, 9000), 0);  // a last two-character phrase still fits
}

struct EndedProcess {
    int status;
};

TEST_F(PhraseStoreTest, FailedReadDuringDuplicateTestEndsTheProcess) {
    tosker.slots[500] = PhraseSlot{1000, 8, 8};  // lies past the end of the store
    setProcessEndHook([](int status) { throw EndedProcess{status}; });
    int status = -1;
    const Captured run = captured([&] {
        try {
            isDuplicatePhrase(tosker, 500, reinterpret_cast<const uint8_t*>("\x81\x00"), 1);
        } catch (const EndedProcess& ended) {
            status = ended.status;
        }
        return 0;
    });
    setProcessEndHook(nullptr);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(run.output, "\r \r\aMessage 101 : Read file \"TEMP\" error\n");
}

}  // namespace
