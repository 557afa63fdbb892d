/* The stand-in resource library holds resources only. */
int artworkStandIn(void)
{
    return 0;
}
