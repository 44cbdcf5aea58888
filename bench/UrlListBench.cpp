// The URL list benchmarks arrive with the URL lists.
void BenchUrlLists(int)
{
}
