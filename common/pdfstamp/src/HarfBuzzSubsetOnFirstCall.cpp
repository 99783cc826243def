// HarfBuzz's subsetter, opened when no subset of the font's glyphs is in the disk cache.
#include "OnFirstCall.h"

// The plan interface is declared only under HB_EXPERIMENTAL_API. The stubs stay inside whatever
// links pdfstamp.
#define HB_EXPERIMENTAL_API
#pragma GCC visibility push(hidden)
#include <hb-subset.h>
#pragma GCC visibility pop

#define HARFBUZZ_SUBSET "libharfbuzz-subset.so.0"

PDFSTAMP_ON_FIRST_CALL(HARFBUZZ_SUBSET, hb_subset_input_t*, hb_subset_input_create_or_fail, (void), ())
PDFSTAMP_ON_FIRST_CALL(HARFBUZZ_SUBSET, void, hb_subset_input_destroy, (hb_subset_input_t * input), (input))
PDFSTAMP_ON_FIRST_CALL(HARFBUZZ_SUBSET, hb_set_t*, hb_subset_input_glyph_set, (hb_subset_input_t * input), (input))
PDFSTAMP_ON_FIRST_CALL(HARFBUZZ_SUBSET, hb_set_t*, hb_subset_input_set,
    (hb_subset_input_t * input, hb_subset_sets_t set_type), (input, set_type))
PDFSTAMP_ON_FIRST_CALL(HARFBUZZ_SUBSET, void, hb_subset_input_set_flags, (hb_subset_input_t * input, unsigned value),
    (input, value))
PDFSTAMP_ON_FIRST_CALL(HARFBUZZ_SUBSET, hb_subset_plan_t*, hb_subset_plan_create_or_fail,
    (hb_face_t * face, const hb_subset_input_t* input), (face, input))
PDFSTAMP_ON_FIRST_CALL(HARFBUZZ_SUBSET, void, hb_subset_plan_destroy, (hb_subset_plan_t * plan), (plan))
PDFSTAMP_ON_FIRST_CALL(HARFBUZZ_SUBSET, hb_face_t*, hb_subset_plan_execute_or_fail, (hb_subset_plan_t * plan), (plan))
PDFSTAMP_ON_FIRST_CALL(HARFBUZZ_SUBSET, const hb_map_t*, hb_subset_plan_old_to_new_glyph_mapping,
    (const hb_subset_plan_t* plan), (plan))
