/* The interpreter's questions about the budget of the evaluation it runs;
 * `udata` is the heap's user data. Included by the build's Duktape
 * configuration header. */
#ifndef BRELO_DUKTAPE_BUDGET_H
#define BRELO_DUKTAPE_BUDGET_H

#if defined(__cplusplus)
extern "C" {
#endif

/* Asked every 256 Ki bytecode instructions, which it counts: is the
 * evaluation over its budget? Nonzero makes the interpreter throw a
 * RangeError at once, and again at every instruction until the script has
 * unwound. */
int brelo_expression_over_budget(void *udata);

/* Whether a budget has run out, counting nothing. Once one has, a refused
 * allocation is not retried after garbage collection: nothing more would be
 * given, and collecting a full heap again and again would make the script's
 * unwinding slow. */
int brelo_expression_spent(void *udata);

#if defined(__cplusplus)
}
#endif

#endif
