# The two set-up commands: `make run` and `make test`. Both install what is missing first.

BUILD      := build
TEST_BUILD := build-test
BENCH_BUILD := build-bench
FUZZ_BUILD := build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 300

PACKAGES := cmake make g++ pkg-config \
	qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-image-formats-plugins libgl-dev \
	libgtest-dev libgmock-dev libbenchmark-dev \
	clang-14 libclang-rt-14-dev \
	xvfb xauth xdotool imagemagick fonts-dejavu-core strace util-linux \
	desktop-file-utils appstream \
	libutf8proc-dev libcsv-dev libuchardet-dev

.PHONY: all deps build run test bench fuzz format clean

all: build

deps:
	@scripts/install-deps.sh $(PACKAGES)

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLQ_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)

# Starts Lexiquill in run/ (ignored by git), seeded from the sample words on the first start.
RUN_FOLDER := run
SAMPLE_WORDS := resources/sample/sample-words.csv

run: build
	./$(BUILD)/lexiquill-seed $(SAMPLE_WORDS) $(RUN_FOLDER)
	cd $(RUN_FOLDER) && ../$(BUILD)/lexiquill

# The whole suite, headless, under AddressSanitizer and UndefinedBehaviorSanitizer.
test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DLQ_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DLQ_TESTS=OFF -DLQ_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/lexiquill_bench

fuzz: deps
	CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DLQ_GUI=OFF -DLQ_TESTS=OFF -DLQ_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	find src tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
